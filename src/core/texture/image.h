#pragma once
// A decoded picture: rows from the top, 4 bytes per pixel in the order blue, green, red, alpha
// (the byte order of a little-endian ARGB32 word, so a gui can wrap it without copying).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace varmelo {

// Largest width or height the decoders accept from a file.
inline constexpr uint32_t kMaxImageSide = 16384;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgra;

    Image() = default;
    Image(int w, int h) : width(w), height(h), bgra(size_t(w) * size_t(h) * 4) {}

    bool empty() const { return width <= 0 || height <= 0; }
    uint8_t* pixel(int x, int y) { return bgra.data() + (size_t(y) * size_t(width) + size_t(x)) * 4; }
    const uint8_t* pixel(int x, int y) const {
        return bgra.data() + (size_t(y) * size_t(width) + size_t(x)) * 4;
    }
    bool operator==(const Image&) const = default;
};

}  // namespace varmelo
