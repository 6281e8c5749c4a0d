#include "core/game/text_fields.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/io/binary_file.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::string readGameTextFile(const std::string& path) {
    BinaryFile f = BinaryFile::openRead(path);
    const uint64_t size = f.size();
    if (size > kMaxGameTextFile) throw FormatError("File too large");
    std::string text(size_t(size), '\0');
    f.readExact(text.data(), text.size());
    return text;
}

bool TextLines::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    const size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    line = trimBlanks(line);
    return true;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

void splitFields(std::string_view line, std::vector<std::string_view>& fields, size_t most) {
    // Separators by byte value, so the scan is one load and test a character.
    static constexpr auto kSeparator = [] {
        std::array<bool, 256> t{};
        for (unsigned char c : {',', ' ', '\t', '\r', '\v', '\f'}) t[c] = true;
        return t;
    }();
    const auto separator = [&](char c) { return kSeparator[static_cast<unsigned char>(c)]; };
    fields.clear();
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end && fields.size() < most) {
        while (p < end && separator(*p)) ++p;
        const char* start = p;
        while (p < end && !separator(*p)) ++p;
        if (p > start) fields.emplace_back(start, size_t(p - start));
    }
}

std::string_view firstWord(std::string_view line, std::string_view& rest) {
    line = trimBlanks(line);
    size_t i = 0;
    while (i < line.size() && !isBlank(line[i])) ++i;
    rest = trimBlanks(line.substr(i));
    return line.substr(0, i);
}

std::optional<int32_t> parseInt(std::string_view s) {
    // Plain decimal numbers are most of a game's fields: read here without from_chars' setup.
    if (!s.empty() && s.size() <= 9) {
        int32_t v = 0;
        size_t i = s[0] == '-' ? 1 : 0;
        bool digits = i < s.size();
        for (; i < s.size() && digits; ++i) {
            digits = s[i] >= '0' && s[i] <= '9';
            v = v * 10 + (s[i] - '0');
        }
        if (digits) return s[0] == '-' ? -v : v;
    }
    int32_t v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<float> parseFloat(std::string_view s) {
    float v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace varmelo
