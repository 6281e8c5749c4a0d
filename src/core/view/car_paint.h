#pragma once
// A car's paint as the game applies it: material colours that equal a placeholder take a
// colour of the car's colour set from carcols.dat (palette numbers):
//   (60, 255, 0) the first (primary), (255, 0, 175) the second (secondary),
//   (0, 255, 255) the third and (255, 0, 255) the fourth (San Andreas, from "car4" sets).
// The lights' placeholders (255, 175, 0), (0, 255, 200), (185, 255, 0) and (255, 60, 0) are
// drawn white. Alpha stays the material's own.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game/carcols_file.h"
#include "core/game/game_folder.h"
#include "core/model/dff_reader.h"

namespace varmelo {

using MaterialColour = std::array<uint8_t, 4>;  // R, G, B, A

// The colour sets `model` may wear (ASCII case ignored), in file order: sets of four from
// "car4" lines in San Andreas when the model has any, else the pairs of its "car" lines.
std::vector<std::vector<uint8_t>> carColourSets(const CarcolsFile& carcols, GameKind kind, const std::string& model);

// The palette colours of a set; numbers outside the palette are left out, and so are those
// after them.
std::vector<PaletteColour> setColours(const CarcolsFile& carcols, const std::vector<uint8_t>& set);

// Each geometry's material colours as drawn in that paint (indexed like clump.geometries and
// their materials). A placeholder whose place the set does not fill keeps its colour.
std::vector<std::vector<MaterialColour>> paintedColours(const DffClump& clump, GameKind kind,
                                                        const std::vector<PaletteColour>& paint);

// The clump with paintedColours written into its materials.
DffClump paintedClump(DffClump clump, GameKind kind, const std::vector<PaletteColour>& paint);

}  // namespace varmelo
