// PNG through libpng's simplified interface, which turns every colour type and depth into the
// one 8-bit BGRA layout we need and reports failures as text instead of longjmp.
#include <png.h>

#include <string>

#include "core/io/errors.h"
#include "core/texture/picture_readers.h"

namespace varmelo {

namespace {

[[noreturn]] void fail(png_image& img) {
    std::string why = img.message[0] ? img.message : "unreadable";
    png_image_free(&img);
    throw FormatError("Invalid PNG file: " + why);
}

}  // namespace

LoadedImage DecodePng(std::span<const uint8_t> bytes) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size())) fail(img);
    LoadedImage out;
    out.hasAlpha = (img.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    if (img.width == 0 || img.height == 0 || img.width > kMaxImageSide || img.height > kMaxImageSide) {
        const std::string size = std::to_string(img.width) + " x " + std::to_string(img.height);
        png_image_free(&img);
        throw FormatError("Invalid PNG file: a picture of " + size + " pixels is out of range");
    }
    img.format = PNG_FORMAT_BGRA;
    out.image = Image(int(img.width), int(img.height));
    if (!png_image_finish_read(&img, nullptr, out.image.bgra.data(), 0, nullptr)) fail(img);
    return out;
}

}  // namespace varmelo
