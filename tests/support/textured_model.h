#pragma once
// A small model whose materials name textures, and a dictionary holding some of them, for the
// export tests (no test framework).
//   frames: 0 "car" (root, up by 1), 1 "door" (under car, turned 90 degrees about z, moved
//           by 2 along x), 2 "wheel_lf_dummy" (under door), 3 "loop" (names itself as parent)
//   geometries: 0 a box of 12 triangles naming materials 0..5 in turn (5 is not listed),
//               1 a prelit triangle without normals, 2 native data (never drawn)
//   atomics: car 0, door 1, wheel_lf_dummy 1, door 0, car 2, loop 1
//   materials of the box: "body" (found, solid), a plain colour with alpha 128, "glass"
//   (found, alpha 128), "grille" (found, alpha only 0 or 255), "missing" (not in the dictionary)
#include <cstdint>
#include <vector>

namespace testing_support {

std::vector<uint8_t> texturedModel();
std::vector<uint8_t> texturedModelDictionary();

}  // namespace testing_support
