#pragma once
// How the game shows a vehicle's parts, for the model view's game look:
// - a vehicle stores one wheel: the atomic whose frame is named "wheel", under one of the wheel
//   dummies. The game clones it onto every wheel dummy (wheel_lf_dummy, wheel_rf_dummy,
//   wheel_lb_dummy, wheel_rb_dummy, and wheel_lm_dummy / wheel_rm_dummy on six-wheelers),
//   placed by that dummy's frame chain; a clone on the side opposite the stored wheel is turned
//   half a turn about the vertical axis (z) so its outer face points outwards. The dummy the
//   stored wheel hangs from keeps the stored wheel alone.
// - parts whose frame name ends in "_dam" (damaged states) or "_vlo" (the far, low-detail
//   model) are not shown while the car is whole and near.
// Names are compared ignoring the case of ASCII letters, as the game does.
#include <string>
#include <vector>

#include "core/model/dff_parts.h"

namespace varmelo {

// Where a copy of a part is drawn: by the chain of `frame`, its vertices first turned half a
// turn about z when `turned` (x and y negated).
struct PartPlacement {
    int frame = -1;
    bool turned = false;
    friend bool operator==(const PartPlacement&, const PartPlacement&) = default;
};

// Whether the part is the stored wheel (its frame is named "wheel").
bool isWheelPart(const DffClump& clump, const DffPart& part);

// The extra copies the game draws of the part: one per wheel dummy that exists, other than a
// dummy the stored wheel hangs from (its ancestor), in the order the frames are stored; none
// for a part that is not the stored wheel, or that draws nothing.
std::vector<PartPlacement> wheelClones(const DffClump& clump, const DffPart& part);

// Whether a part with this caption starts hidden in the game look ("bonnet_dam", "chassis_vlo").
bool hiddenInGameView(const std::string& caption);

// The matrix a placement draws by: the frame's world matrix, after the half turn when turned.
Mat4 placementMatrix(const DffClump& clump, PartPlacement at);

}  // namespace varmelo
