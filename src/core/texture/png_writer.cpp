#include "core/texture/png_writer.h"

#include <png.h>

#include <cstring>
#include <exception>

#include "core/io/binary_file.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

using Sink = std::function<void(const uint8_t*, size_t)>;

// libpng reports failures by longjmp: the sink's exception is kept here and rethrown once
// libpng has unwound to encode(), where no C++ object is left to destroy on the way.
struct PngTarget {
    const Sink* sink = nullptr;
    std::exception_ptr failure;
    char message[160] = {};
};

void writeData(png_structp png, png_bytep data, size_t n) {
    auto* t = static_cast<PngTarget*>(png_get_io_ptr(png));
    bool failed = false;
    try {
        (*t->sink)(data, n);
    } catch (...) {
        t->failure = std::current_exception();
        failed = true;
    }
    if (failed) png_error(png, "write failed");
}

void flushData(png_structp) {}

void onError(png_structp png, png_const_charp message) {
    auto* t = static_cast<PngTarget*>(png_get_error_ptr(png));
    std::strncpy(t->message, message, sizeof t->message - 1);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Rows go to the sink as they are compressed: beside the picture only one row is held.
void encode(const Image& img, bool withAlpha, const Sink& sink) {
    if (img.empty()) throw FormatError("Cannot write an empty picture as PNG");
    PngTarget target;
    target.sink = &sink;
    std::vector<uint8_t> row(withAlpha ? 0 : size_t(img.width) * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, onError, onWarning);
    if (!png) throw std::bad_alloc();
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::bad_alloc();
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (target.failure) std::rethrow_exception(target.failure);
        throw FormatError(target.message[0] ? target.message : "Cannot write the PNG file");
    }
    png_set_write_fn(png, &target, writeData, flushData);
    png_set_IHDR(png, info, png_uint_32(img.width), png_uint_32(img.height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* src = img.pixel(0, y);
        if (withAlpha) {
            png_write_row(png, src);
            continue;
        }
        for (int x = 0; x < img.width; ++x) std::memcpy(&row[size_t(x) * 3], src + size_t(x) * 4, 3);
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& img, bool withAlpha) {
    std::vector<uint8_t> out;
    encode(img, withAlpha, [&](const uint8_t* p, size_t n) { out.insert(out.end(), p, p + n); });
    return out;
}

void WritePng(BinaryFile& f, const Image& img, bool withAlpha) {
    encode(img, withAlpha, [&](const uint8_t* p, size_t n) { f.write(p, n); });
    f.close();
}

void WritePng(const std::string& path, const Image& img, bool withAlpha) {
    if (img.empty()) throw FormatError("Cannot write an empty picture as PNG");
    BinaryFile f = BinaryFile::create(path);
    WritePng(f, img, withAlpha);
}

}  // namespace varmelo
