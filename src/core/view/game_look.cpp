#include "core/view/game_look.h"

namespace varmelo {

GameLook gameLookOf(const GameData& game, const DffClump& clump, const std::string& modelName,
                    const Archive* modelArchive, std::optional<ChosenDictionary> chosen) {
    GameLook look;
    look.kind = game.kind;
    look.record = findModelRecord(game, modelName);
    look.textures = loadGameTextures(game, clump, look.record, modelArchive, std::move(chosen));
    if (look.record && look.record->car)
        look.wheels = {look.record->car->wheelScaleFront, look.record->car->wheelScaleRear};
    if (look.record && look.record->section == IdeSection::Cars) {
        const std::string model = modelName.substr(0, modelName.rfind('.'));
        look.colourSets = carColourSets(game.carcols, game.kind, model);
        for (const auto& set : look.colourSets) look.setPaints.push_back(setColours(game.carcols, set));
        if (!look.colourSets.empty()) {
            look.colourIndices = look.colourSets.front();
            look.colours = look.setPaints.front();
        }
    }
    return look;
}

}  // namespace varmelo
