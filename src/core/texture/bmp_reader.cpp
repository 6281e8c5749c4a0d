// Windows bitmaps, uncompressed or with bit fields; the layout is described in picture_readers.h.
#include <bit>
#include <string>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/texture/picture_readers.h"

namespace varmelo {

namespace {

[[noreturn]] void fail(const std::string& why) { throw FormatError("Invalid BMP file: " + why); }

// A channel picked out by a bit mask, scaled to 8 bits (a mask of 5 bits gives 0..31 -> 0..255).
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m = 0) : mask(m) {
        if (!m) return;
        shift = std::countr_zero(m);
        max = m >> shift;
        // Masks with holes are not something any writer makes; the top run is what counts.
        if ((max & (max + 1)) != 0) fail("a bit mask is not one run of bits");
    }
    uint8_t of(uint32_t v) const {
        if (!mask) return 0;
        return uint8_t((uint64_t((v & mask) >> shift) * 255 + max / 2) / max);
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    uint32_t bits = 0;
    uint32_t compression = 0;
    uint32_t pixelsAt = 0;
    uint32_t headerSize = 0;
    uint32_t coloursUsed = 0;
    uint32_t masks[4] = {};
};

Header readHeader(std::span<const uint8_t> b) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') fail("no BM signature");
    Header h;
    h.pixelsAt = u32le(&b[10]);
    h.headerSize = u32le(&b[14]);
    if (h.headerSize != 12 && h.headerSize < 40) fail("unknown header size " + std::to_string(h.headerSize));
    if (h.headerSize > b.size() - 14) fail("the header runs past the end of the file");
    if (h.headerSize == 12) {
        h.width = u16le(&b[18]);
        h.height = u16le(&b[20]);
        h.bits = u16le(&b[24]);
        return h;
    }
    h.width = i32le(&b[18]);
    const int32_t height = i32le(&b[22]);
    h.topDown = height < 0;
    h.height = h.topDown ? -int64_t(height) : int64_t(height);
    h.bits = u16le(&b[28]);
    h.compression = u32le(&b[30]);
    h.coloursUsed = u32le(&b[46]);
    // Bit-field masks live just after a 40-byte header, inside a longer one.
    const size_t masksAt = 54, maskCount = h.headerSize >= 56 ? 4 : 3;
    if (h.compression == 3 && masksAt + 4 * maskCount <= b.size())
        for (size_t i = 0; i < maskCount; ++i) h.masks[i] = u32le(&b[masksAt + 4 * i]);
    return h;
}

}  // namespace

LoadedImage DecodeBmp(std::span<const uint8_t> b) {
    const Header h = readHeader(b);
    if (h.width <= 0 || h.height <= 0 || h.width > kMaxImageSide || h.height > kMaxImageSide)
        fail("a picture of " + std::to_string(h.width) + " x " + std::to_string(h.height) + " pixels is out of range");
    if (h.compression != 0 && h.compression != 3) fail("compression " + std::to_string(h.compression) + " is not supported");
    const uint32_t bits = h.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        fail(std::to_string(bits) + " bits per pixel are not supported");
    if (h.compression == 3 && bits != 16 && bits != 32) fail("bit fields need 16 or 32 bits per pixel");

    // The palette sits between the header and the pixels.
    const size_t paletteAt = 14 + size_t(h.headerSize) + (h.headerSize == 40 && h.compression == 3 ? 12 : 0);
    const size_t entryBytes = h.headerSize == 12 ? 3 : 4;
    size_t paletteCount = 0;
    if (bits <= 8) {
        paletteCount = h.coloursUsed ? h.coloursUsed : (size_t(1) << bits);
        if (paletteCount > (size_t(1) << bits)) paletteCount = size_t(1) << bits;
        if (paletteAt > b.size() || paletteCount * entryBytes > b.size() - paletteAt)
            fail("the palette runs past the end of the file");
    }

    const uint64_t stride = (uint64_t(h.width) * bits + 31) / 32 * 4;
    if (h.pixelsAt > b.size() || stride * uint64_t(h.height) > b.size() - h.pixelsAt)
        fail("the pixels run past the end of the file");

    Channel r(0x7C00), g(0x03E0), bl(0x001F), a;
    if (bits == 32) r = Channel(0xFF0000), g = Channel(0xFF00), bl = Channel(0xFF), a = Channel(0);
    if (h.compression == 3) r = Channel(h.masks[0]), g = Channel(h.masks[1]), bl = Channel(h.masks[2]), a = Channel(h.masks[3]);

    LoadedImage out;
    out.image = Image(int(h.width), int(h.height));
    bool anyVisible = false;
    for (int64_t y = 0; y < h.height; ++y) {
        const uint8_t* row = b.data() + h.pixelsAt + stride * uint64_t(h.topDown ? y : h.height - 1 - y);
        for (int64_t x = 0; x < h.width; ++x) {
            uint8_t* px = out.image.pixel(int(x), int(y));
            if (bits <= 8) {
                const uint64_t bit = uint64_t(x) * bits;
                const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index >= paletteCount) fail("a pixel names colour " + std::to_string(index) + " beyond the palette");
                const uint8_t* p = b.data() + paletteAt + index * entryBytes;
                px[0] = p[0], px[1] = p[1], px[2] = p[2], px[3] = 255;
            } else if (bits == 24) {
                const uint8_t* p = row + x * 3;
                px[0] = p[0], px[1] = p[1], px[2] = p[2], px[3] = 255;
            } else {
                const uint32_t v = bits == 16 ? u16le(row + x * 2) : u32le(row + x * 4);
                px[0] = bl.of(v), px[1] = g.of(v), px[2] = r.of(v);
                px[3] = a.mask ? a.of(v) : 255;
                anyVisible = anyVisible || px[3] != 0;
            }
        }
    }
    out.hasAlpha = a.mask != 0 && anyVisible;
    // An alpha mask over bytes every writer left at zero is no alpha at all.
    if (a.mask != 0 && !anyVisible)
        for (size_t i = 3; i < out.image.bgra.size(); i += 4) out.image.bgra[i] = 255;
    return out;
}

}  // namespace varmelo
