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

// The entry's bytes a slice at a time, so that neither kind of pixel data is ever held whole
// beside the picture it becomes.
class SliceReader {
public:
    explicit SliceReader(EntryReader& entry) : entry_(entry) {}
    // The next n bytes (n at most a few bytes more than a slice), or "Read beyond end of file".
    const uint8_t* take(size_t n) {
        if (buf_.size() - pos_ < n) refill(n);
        const uint8_t* p = buf_.data() + pos_;
        pos_ += n;
        return p;
    }

private:
    static constexpr size_t kSlice = size_t(1) << 20;
    void refill(size_t n) {
        buf_.erase(buf_.begin(), buf_.begin() + std::ptrdiff_t(pos_));
        pos_ = 0;
        const size_t more = size_t(std::min<uint64_t>(kSlice, entry_.remaining()));
        const size_t had = buf_.size();
        buf_.resize(had + more);
        entry_.read(buf_.data() + had, more);
        if (buf_.size() < n) throwReadBeyondEnd();
    }
    EntryReader& entry_;
    std::vector<uint8_t> buf_;
    size_t pos_ = 0;
};

// Unpacks run-length packets into `count` pixels of 4 bytes, rows in file order.
void unpackRle(EntryReader& entry, size_t bpp, size_t count, uint8_t* dst) {
    SliceReader in(entry);
    size_t done = 0;
    while (done < count) {
        const uint8_t head = *in.take(1);
        const size_t n = std::min<size_t>((head & 0x7F) + 1, count - done);
        if (head & 0x80) {
            const uint8_t* px = in.take(bpp);
            for (size_t i = 0; i < n; ++i) storePixel(px, bpp, dst + (done + i) * 4);
        } else {
            const uint8_t* px = in.take(((head & 0x7F) + 1) * bpp);
            for (size_t i = 0; i < n; ++i) storePixel(px + i * bpp, bpp, dst + (done + i) * 4);
        }
        done += n;
    }
}

// Uncompressed pixels, a slice at a time.
void readRaw(EntryReader& entry, size_t bpp, size_t count, uint8_t* dst) {
    SliceReader in(entry);
    constexpr size_t kRun = 4096;
    for (size_t done = 0; done < count;) {
        const size_t n = std::min(count - done, kRun);
        const uint8_t* px = in.take(n * bpp);
        for (size_t i = 0; i < n; ++i) storePixel(px + i * bpp, bpp, dst + (done + i) * 4);
        done += n;
    }
}

}  // namespace

namespace {

struct TgaHeader {
    uint8_t type = 0;
    size_t bpp = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    bool topOrigin = false;
};

// Reads and checks the header and leaves the entry at the first pixel byte. A picture without
// pixels (type 0, or a zero side) comes back with width or height 0.
TgaHeader readHeader(EntryReader& entry) {
    entry.seek(0);
    uint8_t h[kHeaderBytes];
    entry.read(h, sizeof h);
    if (h[1] != 0) throw FormatError("ColorMapped TGA unsupported");
    TgaHeader out;
    out.type = h[2];
    // A file without image data has nothing to refuse, whatever depth it states.
    if (out.type == 0) return out;
    const uint8_t depth = h[16];
    if (depth != 24 && depth != 32) throw FormatError("Unsupported TGA ImageType");
    if (out.type != 2 && out.type != 10) throw FormatError("Unsupported TGA ImageType " + std::to_string(out.type));
    entry.skip(h[0]);

    out.width = u16le(h + 12);
    out.height = u16le(h + 14);
    if (out.width > kMaxImageSide || out.height > kMaxImageSide) throw FormatError("TGA image too large");
    out.bpp = depth / 8;
    out.topOrigin = (h[17] & kTopOrigin) != 0;
    const uint64_t pixels = uint64_t(out.width) * out.height;
    if (out.type == 2 && pixels * out.bpp > entry.remaining()) throwReadBeyondEnd();
    if (out.type == 10 && pixels > entry.remaining() * kMaxPixelsPerByte) throwReadBeyondEnd();
    return out;
}

}  // namespace

PictureInfo ReadTgaInfo(EntryReader& entry) {
    const TgaHeader h = readHeader(entry);
    if (h.type == 0 || h.width == 0 || h.height == 0) return {};
    return {int(h.width), int(h.height), h.bpp == 4};
}

LoadedImage LoadTga(EntryReader& entry) {
    const TgaHeader h = readHeader(entry);
    LoadedImage out;
    if (h.type == 0 || h.width == 0 || h.height == 0) return out;
    const size_t pixels = size_t(h.width) * h.height;

    Image img{int(h.width), int(h.height)};
    if (h.type == 2) readRaw(entry, h.bpp, pixels, img.bgra.data());
    else unpackRle(entry, h.bpp, pixels, img.bgra.data());
    if (!h.topOrigin) {
        const size_t row = size_t(h.width) * 4;
        std::vector<uint8_t> tmp(row);
        for (uint32_t y = 0; y < h.height / 2; ++y) {
            uint8_t* a = img.pixel(0, int(y));
            uint8_t* b = img.pixel(0, int(h.height - 1 - y));
            std::memcpy(tmp.data(), a, row);
            std::memcpy(a, b, row);
            std::memcpy(b, tmp.data(), row);
        }
    }
    out.image = std::move(img);
    out.hasAlpha = h.bpp == 4;
    return out;
}

}  // namespace varmelo
