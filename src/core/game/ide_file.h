#pragma once
// The game's item definition (.ide) files: sections opened by a name on a line of its own and
// closed by "end", one record a line, fields separated by commas and/or blanks. Every record
// of the sections kept starts with model id, model name and texture dictionary:
//   objs tobj anim peds cars weap hier    id, model, txd, ...
//   txdp (San Andreas)                    txd, parent txd
// The "cars" lines differ by game after the first fields
//   id, model, txd, type, handling, gameName, ...:
//   III          class, frequency, level, comprules, wheelModelId, wheelScale
//   Vice City    anims, class, frequency, level, comprules, wheelModelId, wheelScale
//   San Andreas  anims, class, frequency, level, comprules, wheelModelId, wheelScaleFront,
//                wheelScaleRear[, upgradeId]
// where a bike's wheelModelId place holds its steering angle and a III/VC plane's its LOD
// model. Other sections are skipped to their "end".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/game_folder.h"

namespace varmelo {

enum class IdeSection { Objs, Tobj, Anim, Peds, Cars, Weap, Hier, Txdp };
inline constexpr size_t kIdeSectionCount = 8;

const char* ideSectionName(IdeSection s);  // "objs", ...

struct IdeCar {
    std::string type;  // "car", "bike", "plane", ... as written
    std::string compRules;  // the component rules word as written, empty when the line stops before it
    std::optional<int32_t> wheelModelId;
    std::optional<float> wheelScaleFront;
    std::optional<float> wheelScaleRear;
};

// A record's names point into its file's text, which the IdeFile keeps (and shares with its
// copies): a game has tens of thousands of records and only a few are ever looked at.
struct IdeRecord {
    IdeSection section = IdeSection::Objs;
    int32_t id = 0;
    std::string_view model;  // bytes as written
    std::string_view txd;
    std::shared_ptr<const IdeCar> car;  // cars only
};

struct TxdParent {
    std::string txd;
    std::string parent;
};

struct IdeFile {
    std::shared_ptr<const std::string> text;  // what the records' names point into
    std::vector<IdeRecord> records;
    std::vector<TxdParent> txdParents;
    std::vector<uint32_t> badLines;  // line numbers of records that did not parse
    size_t count(IdeSection s) const;
};

IdeFile parseIde(std::string text, GameKind game);

}  // namespace varmelo
