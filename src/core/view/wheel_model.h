#pragma once
// A car whose item definition names a wheel model (its wheel model id, -1 for none) rolls on
// that model's wheel: the game finds the model by id, reads it from "<name>.dff" in the
// archives it loads (San Andreas' wheel upgrades) or takes the atomic of that name from a
// MODELFILE the .dat files list (the shared wheels.dff of III and Vice City), and draws it on
// every wheel dummy in place of the car's own wheel.
#include <optional>
#include <string>

#include "core/archive/archive.h"
#include "core/model/dff_reader.h"
#include "core/view/game_model_record.h"

namespace varmelo {

struct WheelModel {
    GameModelRecord record;  // the wheel's own item definition: its dictionary
    DffGeometry geometry;    // in its frame's space
};

// Nothing when the car names no wheel model, or it cannot be found or read.
std::optional<WheelModel> findWheelModel(const GameData& game, const GameModelRecord& car, const Archive* modelArchive);

// The car drawing `wheel` where its stored wheel was; a car without a wheel of its own (III,
// Vice City) gets one, a frame "wheel" on its first wheel dummy, that the game look then
// copies onto the others.
DffClump withWheel(DffClump car, const WheelModel& wheel);

}  // namespace varmelo
