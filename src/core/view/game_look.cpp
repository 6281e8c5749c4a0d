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
        const auto sets = carColourSets(game.carcols, game.kind, model);
        if (!sets.empty()) {
            look.colourIndices = sets.front();
            look.colours = setColours(game.carcols, look.colourIndices);
        }
    }
    return look;
}

}  // namespace varmelo
