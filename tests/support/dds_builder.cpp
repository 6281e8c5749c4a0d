#include "support/dds_builder.h"

#include <algorithm>

namespace testing_support {

namespace {
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}
}  // namespace

DdsFile DdsFile::dxt(const std::string& code, uint32_t w, uint32_t h, std::vector<uint8_t> blocks) {
    DdsFile s;
    s.width = w;
    s.height = h;
    s.pixelFlags = 0x4;
    s.fourCC = code;
    s.data = std::move(blocks);
    return s;
}

DdsFile DdsFile::argb32(uint32_t w, uint32_t h, std::vector<uint8_t> bgra) {
    DdsFile s;
    s.width = w;
    s.height = h;
    s.pixelFlags = 0x40 | 0x1;
    s.bits = 32;
    s.masks[0] = 0x00FF0000;
    s.masks[1] = 0x0000FF00;
    s.masks[2] = 0x000000FF;
    s.masks[3] = 0xFF000000;
    s.data = std::move(bgra);
    return s;
}

DdsFile DdsFile::rgb565(uint32_t w, uint32_t h, std::vector<uint8_t> pixels) {
    DdsFile s;
    s.width = w;
    s.height = h;
    s.pixelFlags = 0x40;
    s.bits = 16;
    s.masks[0] = 0xF800;
    s.masks[1] = 0x07E0;
    s.masks[2] = 0x001F;
    s.data = std::move(pixels);
    return s;
}

std::vector<uint8_t> buildDds(const DdsFile& s) {
    std::vector<uint8_t> b(128, 0);
    for (size_t i = 0; i < 4 && i < s.magic.size(); ++i) b[i] = uint8_t(s.magic[i]);
    put32(b, 4, 124);
    put32(b, 8, 0x1 | 0x2 | 0x4 | 0x1000);  // caps, height, width, pixel format
    put32(b, 12, s.height);
    put32(b, 16, s.width);
    put32(b, 28, 1);
    put32(b, 76, 32);
    put32(b, 80, s.pixelFlags);
    for (size_t i = 0; i < 4 && i < s.fourCC.size(); ++i) b[84 + i] = uint8_t(s.fourCC[i]);
    put32(b, 88, s.bits);
    for (int i = 0; i < 4; ++i) put32(b, 92 + size_t(i) * 4, s.masks[i]);
    put32(b, 108, s.caps);
    // Resized, then copied: an insert here makes GCC 12 at -O3 warn of a write out of bounds
    // (-Warray-bounds) that cannot happen.
    b.resize(128 + s.data.size());
    std::copy(s.data.begin(), s.data.end(), b.begin() + 128);
    return b;
}

}  // namespace testing_support
