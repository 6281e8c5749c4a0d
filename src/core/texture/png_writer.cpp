#include "core/texture/png_writer.h"

#include <png.h>

#include <cstring>

#include "core/io/binary_file.h"
#include "core/io/errors.h"

namespace varmelo {

std::vector<uint8_t> EncodePng(const Image& img, bool withAlpha) {
    if (img.empty()) throw FormatError("Cannot write an empty picture as PNG");
    const size_t pixels = size_t(img.width) * size_t(img.height);
    std::vector<uint8_t> rgb;
    const void* source = img.bgra.data();
    if (!withAlpha) {
        rgb.resize(pixels * 3);
        for (size_t i = 0; i < pixels; ++i) std::memcpy(&rgb[i * 3], &img.bgra[i * 4], 3);
        source = rgb.data();
    }

    // The simplified API keeps libpng's longjmp error handling inside libpng.
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(img.width);
    image.height = png_uint_32(img.height);
    image.format = withAlpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, source, 0, nullptr)) {
        std::string msg = image.message;
        png_image_free(&image);
        throw FormatError(msg);
    }
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, source, 0, nullptr)) {
        std::string msg = image.message;
        png_image_free(&image);
        throw FormatError(msg);
    }
    out.resize(size);
    return out;
}

void WritePng(const std::string& path, const Image& img, bool withAlpha) {
    const std::vector<uint8_t> bytes = EncodePng(img, withAlpha);
    BinaryFile f = BinaryFile::create(path);
    f.write(bytes.data(), bytes.size());
    f.close();
}

}  // namespace varmelo
