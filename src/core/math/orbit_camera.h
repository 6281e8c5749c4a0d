#pragma once
// The camera moves of the 3D views, stated without any graphics library: orbit about the
// target, zoom by pointer travel, and the fit to a model's radius. The up axis is +Z.
#include "core/math/vec.h"

namespace varmelo {

// The pitch never comes closer than this to the up axis, so the camera never passes straight
// above or below its target (where its up vector would be undefined).
inline constexpr double kPolarMargin = 0.025;

// The camera position after turning about `target`, keeping the distance: the angle from the
// up axis grows by `pitchDegrees` (clamped to [margin, pi - margin]), then the position turns
// by `turnDegrees` about the up axis (counter-clockwise seen from above). A camera on its
// target stays where it is.
Vec3 orbitCamera(Vec3 position, Vec3 target, double pitchDegrees, double turnDegrees);

// Distance to the target times 1.1^(pixels / 2), direction kept: pointer travel up
// (pixels = last y - y > 0) moves away, down moves closer.
Vec3 zoomCamera(Vec3 position, Vec3 target, double pixels);

// Every coordinate of the position scaled by 10·radius / (distance to target). For a target
// at the origin this puts the camera 10·radius away in its current direction. With a zero
// radius or a camera on its target the camera stays where it is.
Vec3 fitCamera(Vec3 position, Vec3 target, float radius);

}  // namespace varmelo
