#include "support/tga_builder.h"

#include <cstring>

namespace testing_support {

namespace {

std::vector<uint8_t> filePixels(const TgaFile& s) {
    const size_t bpp = s.bits / 8;
    std::vector<uint8_t> out;
    for (size_t r = 0; r < s.height; ++r) {
        const size_t row = s.topLeft ? r : s.height - 1 - r;
        for (size_t x = 0; x < s.width; ++x) {
            const uint8_t* p = &s.bgra[(row * s.width + x) * 4];
            out.insert(out.end(), p, p + bpp);
        }
    }
    return out;
}

std::vector<uint8_t> rle(const std::vector<uint8_t>& px, size_t bpp) {
    std::vector<uint8_t> out;
    const size_t n = px.size() / bpp;
    auto same = [&](size_t a, size_t b) { return std::memcmp(&px[a * bpp], &px[b * bpp], bpp) == 0; };
    size_t i = 0;
    while (i < n) {
        size_t run = 1;
        while (i + run < n && run < 128 && same(i, i + run)) ++run;
        if (run >= 2) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), &px[i * bpp], &px[i * bpp] + bpp);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < n && raw < 128 && !(i + raw + 1 < n && same(i + raw, i + raw + 1))) ++raw;
        out.push_back(uint8_t(raw - 1));
        out.insert(out.end(), &px[i * bpp], &px[(i + raw) * bpp]);
        i += raw;
    }
    return out;
}

}  // namespace

std::vector<uint8_t> buildTga(const TgaFile& s) {
    std::vector<uint8_t> b(18, 0);
    b[0] = uint8_t(s.id.size());
    b[1] = s.colourMapType;
    b[2] = s.imageType;
    b[12] = uint8_t(s.width);
    b[13] = uint8_t(s.width >> 8);
    b[14] = uint8_t(s.height);
    b[15] = uint8_t(s.height >> 8);
    b[16] = s.bits;
    b[17] = uint8_t((s.topLeft ? 0x20 : 0) | (s.bits == 32 ? 8 : 0));
    for (char c : s.id) b.push_back(uint8_t(c));
    if (s.imageType == 0 || s.bits % 8 != 0 || s.bgra.size() < size_t(s.width) * s.height * 4) return b;
    std::vector<uint8_t> px = filePixels(s);
    if (s.imageType == 10) px = rle(px, s.bits / 8);
    b.insert(b.end(), px.begin(), px.end());
    return b;
}

}  // namespace testing_support
