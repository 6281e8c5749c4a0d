#include "core/view/game_model_record.h"

#include "core/game/case_path.h"
#include "core/view/model_textures.h"

namespace varmelo {

namespace {

std::string withoutDff(const std::string& name) {
    if (name.size() > 4 && sameAsciiName(name.substr(name.size() - 4), ".dff")) return name.substr(0, name.size() - 4);
    return name;
}

// The path as it lies on disk under the game folder, or the .dat's spelling with '/' when the
// file has gone since it was read.
std::string pathOnDisk(const GameData& game, const std::string& named) {
    std::string path = named;
    if (const auto real = resolveIgnoringCase(game.folder, named); real && real->size() > game.folder.size() + 1)
        path = real->substr(game.folder.size() + 1);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

GameModelRecord recordOf(const GameData& game, const GameIdeRead& file, const IdeRecord& r) {
    return GameModelRecord{r.id,
                           pathOnDisk(game, file.path),
                           r.section,
                           std::string(r.txd),
                           r.car ? std::optional<IdeCar>(*r.car) : std::nullopt,
                           std::string(r.model)};
}

}  // namespace

std::optional<GameModelRecord> findModelRecord(const GameData& game, const std::string& modelName) {
    const std::string wanted = withoutDff(modelName);
    for (const GameIdeRead& file : game.ides)
        for (const IdeRecord& r : file.ide.records)
            if (sameAsciiName(r.model, wanted)) return recordOf(game, file, r);
    return std::nullopt;
}

std::optional<GameModelRecord> findModelRecordById(const GameData& game, int32_t id) {
    for (const GameIdeRead& file : game.ides)
        for (const IdeRecord& r : file.ide.records)
            if (r.id == id) return recordOf(game, file, r);
    return std::nullopt;
}

}  // namespace varmelo
