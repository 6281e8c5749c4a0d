#pragma once
// Builds TGA files for tests and sample content (no test framework). The picture is given
// top row first, 4 bytes per pixel (blue, green, red, alpha); the builder writes the rows in
// the order the origin asks, drops alpha for 24 bits and run-length encodes for type 10
// (runs and raw packets, crossing row ends).
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct TgaFile {
    uint8_t imageType = 2;     // 0, 2 or 10 (anything else for error tests)
    uint8_t bits = 32;         // 24 or 32
    uint8_t colourMapType = 0;
    bool topLeft = false;      // descriptor bit 5
    std::string id;            // identification field
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> bgra;  // width * height * 4, top row first
};

std::vector<uint8_t> buildTga(const TgaFile& s);

}  // namespace testing_support
