#include "core/view/game_look.h"

#include <algorithm>

#include "core/view/wheel_model.h"

namespace varmelo {

namespace {

// The wheel's textures the car's chain lacks, from the wheel's own chain.
void takeWheelTextures(const GameData& game, const WheelModel& wheel, const Archive* modelArchive, GameTextures& car) {
    if (car.textures.missing.empty()) return;
    DffClump alone;
    alone.geometries = {wheel.geometry};
    GameTextures own = loadGameTextures(game, alone, wheel.record, modelArchive);
    std::vector<std::string> stillMissing;
    for (const std::string& name : car.textures.missing) {
        auto found = std::find_if(own.textures.found.begin(), own.textures.found.end(),
                                  [&](const ModelTexture& t) { return sameAsciiName(t.name, name); });
        if (found == own.textures.found.end()) {
            stillMissing.push_back(name);
            continue;
        }
        car.textures.found.push_back(std::move(*found));
    }
    car.textures.missing = std::move(stillMissing);
    for (TextureSource& source : car.sources)
        for (const TextureSource& from : own.sources)
            if (!source.dictionary && source.texture == from.texture) source.dictionary = from.dictionary;
}

}  // namespace

GameLook gameLookOf(const GameData& game, const DffClump& clump, const std::string& modelName,
                    const Archive* modelArchive, std::optional<ChosenDictionary> chosen) {
    GameLook look;
    look.kind = game.kind;
    look.record = findModelRecord(game, modelName);
    const std::optional<WheelModel> wheel = look.record ? findWheelModel(game, *look.record, modelArchive) : std::nullopt;
    if (wheel) {
        look.wheeled = withWheel(clump, *wheel);
        look.wheelModel = wheel->record.model;
    }
    look.textures = loadGameTextures(game, look.wheeled ? *look.wheeled : clump, look.record, modelArchive, std::move(chosen));
    if (wheel) takeWheelTextures(game, *wheel, modelArchive, look.textures);
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
