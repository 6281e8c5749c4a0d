#pragma once
// The game's space in glTF's. The game is z-up with vehicles facing +y; glTF is y-up. Every
// position, direction and frame matrix is turned by -90 degrees about x: (x, y, z) becomes
// (x, z, -y). A frame matrix M becomes T·M·T⁻¹, so a reader that turns y-up back to z-up
// (as Blender's importer does) finds the game's own numbers in every node and vertex.
#include <array>

#include "core/model/dff_reader.h"

namespace varmelo {

// A position; a value that is not a finite number becomes 0 (glTF readers reject them).
Vec3 toGltfSpace(Vec3 v);
// A normal, of unit length as glTF asks; a zero or broken one points up.
Vec3 toGltfNormal(Vec3 n);

// The frame's matrix relative to its parent, column-major (right, up, at and position are
// the game's columns). A node matrix must be a move, a turn and a scale: a frame stored
// sheared or flat is straightened (right kept, the others squared to it, lengths kept).
std::array<double, 16> gltfFrameMatrix(const DffFrame& f);

}  // namespace varmelo
