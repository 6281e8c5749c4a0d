#pragma once
// The model as the game look shows it, for an export of what the view shows: the rows left
// out are gone, and every further place the look draws a part (a wheel on each dummy) is an
// atomic of its own on a new frame, a child of the placement's frame that carries the half
// turn and the scale. Frames, geometries and materials are the clump's own otherwise.
#include <vector>

#include "core/view/game_view_rules.h"

namespace varmelo {

// `shown` is indexed like dffParts(clump); a row past its end counts as shown.
DffClump clumpAsShown(const DffClump& clump, const std::vector<bool>& shown, const WheelSizes& sizes);

}  // namespace varmelo
