#include "core/texture/tga_loader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr size_t kHeaderBytes = 18;
constexpr uint8_t kTopOrigin = 0x20;

// The longest run a packet can make is 128 pixels from two bytes (24-bit: 1 + 3 bytes);
// a picture needing more pixels than this per byte left cannot be in the file.
constexpr uint64_t kMaxPixelsPerByte = 32;

void storePixel(const uint8_t* src, size_t bpp, uint8_t* dst) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    dst[3] = bpp == 4 ? src[3] : 255;
}

// Unpacks run-length packets into `count` pixels of 4 bytes, rows in file order.
void unpackRle(EntryReader& entry, size_t bpp, size_t count, uint8_t* dst) {
    // Worst case is one raw pixel per packet; read no more than that or than the entry has.
    const uint64_t most = uint64_t(count) * (bpp + 1);
    const std::vector<uint8_t> data = entry.read(size_t(std::min<uint64_t>(most, entry.remaining())));
    size_t in = 0, done = 0;
    while (done < count) {
        if (in >= data.size()) throwReadBeyondEnd();
        const uint8_t head = data[in++];
        const size_t n = std::min<size_t>((head & 0x7F) + 1, count - done);
        if (head & 0x80) {
            if (bpp > data.size() - in) throwReadBeyondEnd();
            for (size_t i = 0; i < n; ++i) storePixel(&data[in], bpp, dst + (done + i) * 4);
            in += bpp;
        } else {
            const size_t packed = ((head & 0x7F) + 1) * bpp;
            if (packed > data.size() - in) throwReadBeyondEnd();
            for (size_t i = 0; i < n; ++i) storePixel(&data[in + i * bpp], bpp, dst + (done + i) * 4);
            in += packed;
        }
        done += n;
    }
}

}  // namespace

LoadedImage LoadTga(EntryReader& entry) {
    entry.seek(0);
    uint8_t h[kHeaderBytes];
    entry.read(h, sizeof h);
    if (h[1] != 0) throw FormatError("ColorMapped TGA unsupported");
    const uint8_t type = h[2];
    LoadedImage out;
    // A file without image data has nothing to refuse, whatever depth it states.
    if (type == 0) return out;
    const uint8_t depth = h[16];
    if (depth != 24 && depth != 32) throw FormatError("Unsupported TGA ImageType");
    if (type != 2 && type != 10) throw FormatError("Unsupported TGA ImageType " + std::to_string(type));
    entry.skip(h[0]);

    const uint32_t width = u16le(h + 12), height = u16le(h + 14);
    if (width > kMaxImageSide || height > kMaxImageSide) throw FormatError("TGA image too large");
    if (width == 0 || height == 0) return out;
    const size_t bpp = depth / 8;
    const uint64_t pixels = uint64_t(width) * height;
    if (type == 2 && pixels * bpp > entry.remaining()) throwReadBeyondEnd();
    if (type == 10 && pixels > entry.remaining() * kMaxPixelsPerByte) throwReadBeyondEnd();

    Image img{int(width), int(height)};
    if (type == 2) {
        const std::vector<uint8_t> data = entry.read(size_t(pixels * bpp));
        for (size_t i = 0; i < pixels; ++i) storePixel(&data[i * bpp], bpp, img.bgra.data() + i * 4);
    } else {
        unpackRle(entry, bpp, size_t(pixels), img.bgra.data());
    }
    if (!(h[17] & kTopOrigin)) {
        const size_t row = size_t(width) * 4;
        std::vector<uint8_t> tmp(row);
        for (uint32_t y = 0; y < height / 2; ++y) {
            uint8_t* a = img.pixel(0, int(y));
            uint8_t* b = img.pixel(0, int(height - 1 - y));
            std::memcpy(tmp.data(), a, row);
            std::memcpy(a, b, row);
            std::memcpy(b, tmp.data(), row);
        }
    }
    out.image = std::move(img);
    out.hasAlpha = bpp == 4;
    return out;
}

}  // namespace varmelo
