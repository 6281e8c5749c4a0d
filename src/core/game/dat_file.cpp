#include "core/game/dat_file.h"

#include <optional>

#include "core/game/text_fields.h"
#include "core/io/codepage.h"

namespace varmelo {

namespace {

struct KeywordRow {
    const char* name;
    DatKeyword keyword;
};
constexpr KeywordRow kKeywords[] = {
    {"img", DatKeyword::Img},          {"ide", DatKeyword::Ide},         {"ipl", DatKeyword::Ipl},
    {"texdiction", DatKeyword::TexDiction}, {"colfile", DatKeyword::ColFile}, {"modelfile", DatKeyword::ModelFile},
};

std::optional<DatKeyword> keywordOf(std::string_view word) {
    const std::string lower = asciiLower(word);
    for (const KeywordRow& row : kKeywords)
        if (lower == row.name) return row.keyword;
    return std::nullopt;
}

}  // namespace

const char* datKeywordName(DatKeyword k) {
    switch (k) {
        case DatKeyword::Img: return "IMG";
        case DatKeyword::Ide: return "IDE";
        case DatKeyword::Ipl: return "IPL";
        case DatKeyword::TexDiction: return "TEXDICTION";
        case DatKeyword::ColFile: return "COLFILE";
        case DatKeyword::ModelFile: return "MODELFILE";
    }
    return "";
}

DatFile parseDat(std::string_view text) {
    DatFile out;
    TextLines lines(text);
    uint32_t number = 0;
    for (std::string_view line; lines.next(line);) {
        ++number;
        if (line.empty()) continue;
        std::string_view rest;
        const std::optional<DatKeyword> keyword = keywordOf(firstWord(line, rest));
        if (!keyword) continue;
        DatLine d;
        d.keyword = *keyword;
        d.lineNumber = number;
        if (d.keyword == DatKeyword::ColFile) {
            const std::optional<int32_t> level = parseInt(firstWord(rest, rest));
            if (!level) {
                out.badLines.push_back(number);
                continue;
            }
            d.colLevel = *level;
        }
        if (rest.empty()) {
            out.badLines.push_back(number);
            continue;
        }
        d.path = std::string(rest);
        out.lines.push_back(std::move(d));
    }
    return out;
}

}  // namespace varmelo
