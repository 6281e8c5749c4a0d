#include "core/texture/texel_encoder.h"

#include <squish.h>

#include <stdexcept>

#include "core/io/endian.h"

namespace varmelo {

namespace {

// A byte to `bits` bits, to the nearest of the values the decoder expands them back to.
uint32_t narrow(uint8_t v, uint32_t bits) {
    const uint32_t max = (1u << bits) - 1;
    return (uint32_t(v) * max + 127) / 255;
}

uint16_t pack16(TexFormat f, const uint8_t* px) {
    const uint8_t b = px[0], g = px[1], r = px[2], a = px[3];
    switch (f) {
    case TexFormat::B565: return uint16_t((narrow(r, 5) << 11) | (narrow(g, 6) << 5) | narrow(b, 5));
    case TexFormat::B1555:
        return uint16_t((a >= 128 ? 0x8000 : 0) | (narrow(r, 5) << 10) | (narrow(g, 5) << 5) | narrow(b, 5));
    default:  // 4444
        return uint16_t((narrow(a, 4) << 12) | (narrow(r, 4) << 8) | (narrow(g, 4) << 4) | narrow(b, 4));
    }
}

std::vector<uint8_t> compress(TexFormat f, const Image& img) {
    std::vector<uint8_t> rgba(img.bgra.size());
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = img.bgra[i + 2];
        rgba[i + 1] = img.bgra[i + 1];
        rgba[i + 2] = img.bgra[i];
        rgba[i + 3] = img.bgra[i + 3];
    }
    const int kind = f == TexFormat::Dxt1 ? squish::kDxt1 : f == TexFormat::Dxt3 ? squish::kDxt3 : squish::kDxt5;
    std::vector<uint8_t> out(*levelBytes(f, uint32_t(img.width), uint32_t(img.height)));
    squish::CompressImage(rgba.data(), img.width, img.height, out.data(), kind | squish::kColourClusterFit);
    return out;
}

}  // namespace

bool isWritableFormat(TexFormat f) {
    switch (f) {
    case TexFormat::Dxt1:
    case TexFormat::Dxt3:
    case TexFormat::Dxt5:
    case TexFormat::B8888:
    case TexFormat::B888:
    case TexFormat::B565:
    case TexFormat::B1555:
    case TexFormat::B4444: return true;
    default: return false;
    }
}

std::vector<uint8_t> encodeTexels(TexFormat f, const Image& img) {
    if (!isWritableFormat(f)) throw std::logic_error("encodeTexels: a layout it does not write");
    switch (f) {
    case TexFormat::Dxt1:
    case TexFormat::Dxt3:
    case TexFormat::Dxt5: return compress(f, img);
    case TexFormat::B8888: return img.bgra;
    case TexFormat::B888: {
        std::vector<uint8_t> out = img.bgra;
        for (size_t i = 3; i < out.size(); i += 4) out[i] = 255;
        return out;
    }
    default: {
        std::vector<uint8_t> out(img.bgra.size() / 2);
        for (size_t i = 0, o = 0; i < img.bgra.size(); i += 4, o += 2) put16le(&out[o], pack16(f, &img.bgra[i]));
        return out;
    }
    }
}

}  // namespace varmelo
