#pragma once
// A model's item definition in the game's IDE files, found by the model's name.
#include <cstdint>
#include <optional>
#include <string>

#include "core/game/game_data.h"

namespace varmelo {

struct GameModelRecord {
    int32_t id = 0;
    std::string ide;  // relative to the game folder, as found on disk, with '/'
    IdeSection section = IdeSection::Objs;
    std::string txd;            // bytes as written
    std::optional<IdeCar> car;  // vehicles (IDE "cars") only
    std::string model;          // bytes as written
};

// The first record, in .dat order, whose model is `modelName` (ASCII case ignored; a trailing
// ".dff" is dropped first); nothing when no IDE file defines it.
std::optional<GameModelRecord> findModelRecord(const GameData& game, const std::string& modelName);

// The first record, in .dat order, with that model id.
std::optional<GameModelRecord> findModelRecordById(const GameData& game, int32_t id);

}  // namespace varmelo
