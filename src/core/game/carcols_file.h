#pragma once
// data/carcols.dat: the paint palette and the colour sets each vehicle model may wear.
//   col    r, g, b                 one palette colour a line, numbered from 0 in order
//   car    model, p, s, p, s, ...  pairs of palette numbers: primary, secondary
//   car4   model, a, b, c, d, ...  (San Andreas) sets of four palette numbers
// Each section ends with "end"; "#" starts a comment (palette lines name their colour there,
// in whatever code page the file was written in).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varmelo {

struct PaletteColour {
    uint8_t r = 0, g = 0, b = 0;
};

struct CarColourSets {
    std::string model;  // bytes as written
    std::vector<std::array<uint8_t, 2>> pairs;
    std::vector<std::array<uint8_t, 4>> fours;
};

struct CarcolsFile {
    std::vector<PaletteColour> palette;
    // One row per model line, in file order; a model named in both car and car4 has two.
    std::vector<CarColourSets> cars;
    std::vector<uint32_t> badLines;
};

CarcolsFile parseCarcols(std::string_view text);

}  // namespace varmelo
