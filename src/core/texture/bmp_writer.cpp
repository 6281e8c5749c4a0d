#include "core/texture/bmp_writer.h"

#include <functional>

#include "core/io/binary_file.h"
#include "core/io/endian.h"

namespace varmelo {

namespace {

constexpr uint32_t kFileHeader = 14;
constexpr uint32_t kInfoHeader = 40;
constexpr uint32_t kV4Header = 108;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kSrgb = 0x73524742;  // 'sRGB'

}  // namespace

namespace {

using Sink = std::function<void(const uint8_t*, size_t)>;

// The headers, then the rows from the bottom, each handed to the sink as it is made: beside
// the picture only one row is held.
void encode(const Image& img, BmpDepth depth, const Sink& sink) {
    const bool alpha = depth == BmpDepth::Argb32;
    const uint32_t w = img.empty() ? 0 : uint32_t(img.width);
    const uint32_t h = img.empty() ? 0 : uint32_t(img.height);
    const uint32_t stride = alpha ? w * 4 : (w * 3 + 3) / 4 * 4;
    const uint32_t info = alpha ? kV4Header : kInfoHeader;
    const uint32_t offset = kFileHeader + info;
    const uint32_t imageBytes = stride * h;

    std::vector<uint8_t> head(offset, 0);
    uint8_t* p = head.data();
    p[0] = 'B';
    p[1] = 'M';
    put32le(p + 2, offset + imageBytes);
    put32le(p + 10, offset);
    p += kFileHeader;
    put32le(p, info);
    put32le(p + 4, w);
    put32le(p + 8, h);  // positive: rows from the bottom
    put16le(p + 12, 1);
    put16le(p + 14, alpha ? 32 : 24);
    put32le(p + 16, alpha ? kBiBitfields : kBiRgb);
    put32le(p + 20, imageBytes);
    if (alpha) {
        put32le(p + 40, 0x00FF0000);
        put32le(p + 44, 0x0000FF00);
        put32le(p + 48, 0x000000FF);
        put32le(p + 52, 0xFF000000);
        put32le(p + 56, kSrgb);
    }
    sink(head.data(), head.size());

    std::vector<uint8_t> row(stride, 0);
    for (uint32_t y = 0; y < h; ++y) {
        const uint8_t* src = img.pixel(0, int(h - 1 - y));
        uint8_t* dst = row.data();
        for (uint32_t x = 0; x < w; ++x, src += 4) {
            *dst++ = src[0];
            *dst++ = src[1];
            *dst++ = src[2];
            if (alpha) *dst++ = src[3];
        }
        sink(row.data(), row.size());
    }
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Image& img, BmpDepth depth) {
    std::vector<uint8_t> out;
    encode(img, depth, [&](const uint8_t* p, size_t n) { out.insert(out.end(), p, p + n); });
    return out;
}

void WriteBmp(BinaryFile& f, const Image& img, BmpDepth depth) {
    // Rows are gathered into writes of about a megabyte: one system call per row is slow
    // for narrow pictures.
    std::vector<uint8_t> pending;
    auto flush = [&] {
        f.write(pending.data(), pending.size());
        pending.clear();
    };
    encode(img, depth, [&](const uint8_t* p, size_t n) {
        pending.insert(pending.end(), p, p + n);
        if (pending.size() >= (size_t(1) << 20)) flush();
    });
    if (!pending.empty()) flush();
    f.close();
}

void WriteBmp(const std::string& path, const Image& img, BmpDepth depth) {
    BinaryFile f = BinaryFile::create(path);
    WriteBmp(f, img, depth);
}

}  // namespace varmelo
