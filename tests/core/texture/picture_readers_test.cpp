// Picture files read back from what the program's own writers make, and refused cleanly when
// damaged.
#include <gtest/gtest.h>

#include "core/io/errors.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/picture_file.h"
#include "core/texture/png_writer.h"
#include "support/error_of.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

Image demo(int w, int h) {
    Image img(w, h);
    img.bgra = demoPicture(w, h, 1);
    return img;
}

Image opaque(Image img) {
    for (size_t i = 3; i < img.bgra.size(); i += 4) img.bgra[i] = 255;
    return img;
}

TEST(PictureReaders, ReadBackWhatTheWritersWrite) {
    const Image img = demo(13, 7);  // odd sides: row padding in BMP
    const struct {
        const char* label;
        std::vector<uint8_t> bytes;
        Image expected;
        bool alpha;
    } rows[] = {
        {"png rgba", EncodePng(img, true), img, true},
        {"png rgb", EncodePng(img, false), opaque(img), false},
        {"bmp 32", EncodeBmp(img, BmpDepth::Argb32), img, true},
        {"bmp 24", EncodeBmp(img, BmpDepth::Rgb24), opaque(img), false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        const LoadedImage got = DecodePicture(r.bytes, "x");
        EXPECT_EQ(got.image, r.expected);
        EXPECT_EQ(got.hasAlpha, r.alpha);
    }
}

TEST(PictureReaders, BmpWithAPaletteFromTheTop) {
    // 3 x 2, 4 bits per pixel, a two-colour palette, negative height (rows from the top).
    std::vector<uint8_t> b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0};
    for (uint8_t v : {0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0,
                      0, 0, 0, 0})
        b.push_back(v);
    for (uint8_t v : {10, 20, 30, 0, 40, 50, 60, 0}) b.push_back(v);         // palette
    for (uint8_t v : {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0}) b.push_back(v);  // two rows of 4 bytes
    const LoadedImage got = DecodePicture(b, "x.bmp");
    ASSERT_EQ(got.image.width, 3);
    ASSERT_EQ(got.image.height, 2);
    EXPECT_EQ(got.image.bgra, (std::vector<uint8_t>{10, 20, 30, 255, 40, 50, 60, 255, 10, 20, 30, 255,  //
                                                    40, 50, 60, 255, 10, 20, 30, 255, 40, 50, 60, 255}));
}

TEST(PictureReaders, DamagedFilesGiveTheirKindsError) {
    std::vector<uint8_t> png = EncodePng(demo(8, 8), true);
    png.resize(png.size() / 2);
    std::vector<uint8_t> bmp = EncodeBmp(demo(8, 8), BmpDepth::Rgb24);
    bmp.resize(bmp.size() - 10);
    std::vector<uint8_t> huge = EncodeBmp(demo(8, 8), BmpDepth::Rgb24);
    huge[22] = 0xFF, huge[23] = 0xFF, huge[24] = 0;  // height 65535
    const std::pair<std::vector<uint8_t>, std::string> rows[] = {
        {png, "Invalid PNG file: "},
        {{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F'}, "Invalid JPEG file: "},
        {bmp, "Invalid BMP file: the pixels run past the end of the file"},
        {huge, "Invalid BMP file: a picture of 8 x 65535 pixels is out of range"},
        {{'G', 'I', 'F', '8', '9', 'a'}, "not a picture this program reads (PNG, JPEG, BMP, TGA, DDS)"},
    };
    for (const auto& [bytes, prefix] : rows) {
        const std::string e = errorOf([&] { DecodePicture(bytes, "x.png"); });
        EXPECT_EQ(e.substr(0, prefix.size()), prefix) << e;
    }
}

}  // namespace
