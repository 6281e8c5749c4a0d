#pragma once
// The game's .dat files (data/default.dat, data/gta.dat, ...): one instruction a line, a
// keyword and then a path relative to the game folder, Windows style:
//   IMG MODELS\GTA_INT.IMG
//   COLFILE 0 MODELS\COLL\GENERIC.COL      (a level number before the path)
// Only the keywords that name model data are kept; the others are skipped.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varmelo {

enum class DatKeyword { Img, Ide, Ipl, TexDiction, ColFile, ModelFile };

const char* datKeywordName(DatKeyword k);  // "IMG", "IDE", ...

struct DatLine {
    DatKeyword keyword = DatKeyword::Img;
    std::string path;      // as written, bytes
    int32_t colLevel = 0;  // COLFILE only
    uint32_t lineNumber = 0;
};

struct DatFile {
    std::vector<DatLine> lines;
    // Lines with a known keyword that did not parse (no path, a level that is not a number).
    std::vector<uint32_t> badLines;
};

DatFile parseDat(std::string_view text);

}  // namespace varmelo
