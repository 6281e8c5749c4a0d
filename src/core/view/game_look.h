#pragma once
// What the game view shows of one model: its IDE record, the textures of its dictionary chain
// and, for a car, the first colour set carcols.dat gives it.
#include <optional>
#include <string>
#include <vector>

#include "core/view/car_paint.h"
#include "core/view/game_dictionaries.h"
#include "core/view/game_model_record.h"
#include "core/view/game_view_rules.h"

namespace varmelo {

struct GameLook {
    GameKind kind = GameKind::Sa;
    std::optional<GameModelRecord> record;  // nothing when no IDE file defines the model
    GameTextures textures;
    std::vector<uint8_t> colourIndices;  // the first colour set; empty for a model that is no car
    std::vector<PaletteColour> colours;  // its palette colours
    // Every colour set the car may wear, and the palette colours of each (the first is above).
    std::vector<std::vector<uint8_t>> colourSets;
    std::vector<std::vector<PaletteColour>> setPaints;
    WheelSizes wheels;                   // from a car's IDE line
    // The car on the wheel model its IDE line names, to be drawn instead of the clump given;
    // nothing when it names none or the wheel cannot be found. Its textures are in `textures`.
    std::optional<DffClump> wheeled;
    std::string wheelModel;  // that wheel's model name
};

// `modelName` is the model's entry or file name; `modelArchive` the archive it came from, if any.
GameLook gameLookOf(const GameData& game, const DffClump& clump, const std::string& modelName,
                    const Archive* modelArchive, std::optional<ChosenDictionary> chosen = std::nullopt);

}  // namespace varmelo
