#pragma once
// Builds DDS files for tests and sample content (no test framework):
//   buildDds(DdsFile::dxt("DXT5", 64, 64, blocks));
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct DdsFile {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t caps = 0x1000;          // texture
    uint32_t pixelFlags = 0;         // 0x1 alpha pixels, 0x4 four-character code, 0x40 RGB
    std::string fourCC;              // up to 4 characters
    uint32_t bits = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    std::vector<uint8_t> data;       // the top level's bytes (and anything after)
    std::string magic = "DDS ";

    static DdsFile dxt(const std::string& code, uint32_t w, uint32_t h, std::vector<uint8_t> blocks);
    // 32-bit A8R8G8B8 (bytes blue, green, red, alpha).
    static DdsFile argb32(uint32_t w, uint32_t h, std::vector<uint8_t> bgra);
    // 16-bit R5G6B5.
    static DdsFile rgb565(uint32_t w, uint32_t h, std::vector<uint8_t> pixels);
};

std::vector<uint8_t> buildDds(const DdsFile& s);

}  // namespace testing_support
