#pragma once
// How the game shows a vehicle's parts, for the model view's game look:
// - a vehicle stores one wheel: the atomic whose frame is named "wheel", under one of the wheel
//   dummies. The game clones it onto every wheel dummy (wheel_lf_dummy, wheel_rf_dummy,
//   wheel_lb_dummy, wheel_rb_dummy, and wheel_lm_dummy / wheel_rm_dummy on six-wheelers),
//   placed by that dummy's frame chain; a clone on the side opposite the stored wheel is turned
//   half a turn about the vertical axis (z) so its outer face points outwards. The dummy the
//   stored wheel hangs from keeps the stored wheel alone.
// - the IDE line gives the front and rear wheels' size: the game draws a wheel (stored or
//   copied) scaled so its height is its axle's size. Front wheels hang from the *_lf / *_rf
//   dummies, the rest are rear wheels.
// - parts whose frame name ends in "_dam" (damaged states) or "_vlo" (the far, low-detail
//   model) are not shown while the car is whole and near.
// - of the optional parts extra1 ... extra6 the game shows one (chosen by the car's component
//   rules as it spawns); the view shows the first, or the one the user picks.
// Names are compared ignoring the case of ASCII letters, as the game does.
#include <optional>
#include <string>
#include <vector>

#include "core/model/dff_parts.h"

namespace varmelo {

// Where a copy of a part is drawn: by the chain of `frame`, its vertices first scaled by
// `scale` and turned half a turn about z when `turned` (x and y negated).
struct PartPlacement {
    int frame = -1;
    bool turned = false;
    float scale = 1;
    friend bool operator==(const PartPlacement&, const PartPlacement&) = default;
};

// The wheel sizes a vehicle's IDE line gives (height in model units); a size not given
// leaves those wheels as modelled.
struct WheelSizes {
    std::optional<float> front;
    std::optional<float> rear;
};

// Whether the frame is one of the six wheel dummies.
bool isWheelDummy(const DffFrame& frame);

// Whether the part is the stored wheel (its frame is named "wheel").
bool isWheelPart(const DffClump& clump, const DffPart& part);

// The extra copies the game draws of the part: one per wheel dummy that exists, other than a
// dummy the stored wheel hangs from (its ancestor), in the order the frames are stored; none
// for a part that is not the stored wheel, or that draws nothing.
std::vector<PartPlacement> wheelClones(const DffClump& clump, const DffPart& part);

// Every place the game look draws the part: where the file puts it, then its wheel copies; a
// wheel's placements scaled to its axle's size.
std::vector<PartPlacement> gameViewPlacements(const DffClump& clump, const DffPart& part, const WheelSizes& sizes);

// "extra1" ... "extra6", any letter case.
bool isExtraCaption(const std::string& caption);

// Which rows the game look starts with shown: all but the damaged and far-away parts and the
// extras other than `pickedExtra` (a row index; the first extra row when none is picked).
std::vector<bool> gameViewRowsShown(const std::vector<DffPart>& parts, std::optional<size_t> pickedExtra);

// Whether a part with this caption starts hidden in the game look ("bonnet_dam", "chassis_vlo").
bool hiddenInGameView(const std::string& caption);

// The matrix a placement draws by: the frame's world matrix, after the half turn when turned
// and the scale.
Mat4 placementMatrix(const DffClump& clump, PartPlacement at);

}  // namespace varmelo
