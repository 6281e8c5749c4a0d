// JPEG through libjpeg-turbo. The library reports fatal errors through error_exit, which must
// not return: it longjmps back to decode(), a function that holds no C++ object with a
// destructor between the setjmp and the library calls, and the text is turned into an
// exception only after the decompressor is destroyed.
// jpeglib.h uses size_t and FILE without including their headers.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <new>
#include <string>

#include "core/io/errors.h"
#include "core/texture/picture_readers.h"

namespace varmelo {

namespace {

struct ErrorTrap {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

// Warnings (corrupt data the library recovers from) are not shown: the picture still decodes.
void onMessage(j_common_ptr, int) {}

// Fills `pixels` (allocated by `allocate` once the size is known, null when it cannot be) and
// returns nullptr, or returns the failure's text.
const char* decode(std::span<const uint8_t> bytes, ErrorTrap& trap, uint8_t* (*allocate)(void*, int, int),
                   void* target) {
    jpeg_decompress_struct cinfo;
    cinfo.err = jpeg_std_error(&trap.mgr);
    trap.mgr.error_exit = onError;
    trap.mgr.emit_message = onMessage;
    trap.message[0] = 0;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return trap.message;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&cinfo);
        return "CMYK pictures are not supported";
    }
    if (cinfo.image_width > kMaxImageSide || cinfo.image_height > kMaxImageSide) {
        jpeg_destroy_decompress(&cinfo);
        return "the picture is too large";
    }
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    uint8_t* pixels = allocate(target, int(cinfo.output_width), int(cinfo.output_height));
    if (pixels == nullptr) {
        jpeg_destroy_decompress(&cinfo);
        return "not enough memory for the picture";
    }
    const size_t stride = size_t(cinfo.output_width) * 4;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + size_t(cinfo.output_scanline) * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return nullptr;
}

// Null when the memory cannot be had: no exception may leave decode() with the decompressor alive.
uint8_t* allocateImage(void* target, int w, int h) noexcept {
    try {
        auto* img = static_cast<Image*>(target);
        *img = Image(w, h);
        return img->bgra.data();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

LoadedImage DecodeJpeg(std::span<const uint8_t> bytes) {
    LoadedImage out;
    ErrorTrap trap;
    if (const char* error = decode(bytes, trap, allocateImage, &out.image))
        throw FormatError(std::string("Invalid JPEG file: ") + error);
    return out;
}

}  // namespace varmelo
