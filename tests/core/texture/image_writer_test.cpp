#include <gtest/gtest.h>
#include <png.h>

#include <cstring>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/png_writer.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// 3 x 2, pixel (x, y) = blue x*10, green y*10, red 200, alpha 50 + x + 3y
Image sample() {
    Image img(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            uint8_t* p = img.pixel(x, y);
            p[0] = uint8_t(x * 10);
            p[1] = uint8_t(y * 10);
            p[2] = 200;
            p[3] = uint8_t(50 + x + 3 * y);
        }
    return img;
}

TEST(BmpWriter, TwentyFourBitHeaderAndPaddedBottomUpRows) {
    std::vector<uint8_t> b = EncodeBmp(sample(), BmpDepth::Rgb24);
    ASSERT_EQ(b.size(), 54u + 2 * 12);  // 3 pixels * 3 bytes padded to 12
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32le(&b[2]), 78u);
    EXPECT_EQ(u32le(&b[6]), 0u);
    EXPECT_EQ(u32le(&b[10]), 54u);
    EXPECT_EQ(u32le(&b[14]), 40u);
    EXPECT_EQ(i32le(&b[18]), 3);
    EXPECT_EQ(i32le(&b[22]), 2);
    EXPECT_EQ(u16le(&b[26]), 1);
    EXPECT_EQ(u16le(&b[28]), 24);
    EXPECT_EQ(u32le(&b[30]), 0u);
    EXPECT_EQ(u32le(&b[34]), 24u);
    // first stored row is the bottom one (y = 1)
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54, b.begin() + 66),
              (std::vector<uint8_t>{0, 10, 200, 10, 10, 200, 20, 10, 200, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 66, b.begin() + 75),
              (std::vector<uint8_t>{0, 0, 200, 10, 0, 200, 20, 0, 200}));
}

TEST(BmpWriter, ThirtyTwoBitKeepsAlphaWithBitFieldMasks) {
    std::vector<uint8_t> b = EncodeBmp(sample(), BmpDepth::Argb32);
    ASSERT_EQ(b.size(), 14u + 108 + 24);
    EXPECT_EQ(u32le(&b[2]), 146u);
    EXPECT_EQ(u32le(&b[10]), 122u);
    EXPECT_EQ(u32le(&b[14]), 108u);
    EXPECT_EQ(u16le(&b[28]), 32);
    EXPECT_EQ(u32le(&b[30]), 3u);  // bit fields
    EXPECT_EQ(u32le(&b[34]), 24u);
    EXPECT_EQ(u32le(&b[54]), 0x00FF0000u);
    EXPECT_EQ(u32le(&b[58]), 0x0000FF00u);
    EXPECT_EQ(u32le(&b[62]), 0x000000FFu);
    EXPECT_EQ(u32le(&b[66]), 0xFF000000u);
    EXPECT_EQ(u32le(&b[70]), 0x73524742u);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 122, b.begin() + 130),
              (std::vector<uint8_t>{0, 10, 200, 53, 10, 10, 200, 54}));
}

TEST(BmpWriter, WritesTheFile) {
    TempDir dir;
    WriteBmp(dir.file("a.bmp"), sample(), BmpDepth::Rgb24);
    EXPECT_EQ(readFile(dir.file("a.bmp")), EncodeBmp(sample(), BmpDepth::Rgb24));
    EXPECT_THROW(WriteBmp(dir.file("missing/a.bmp"), sample(), BmpDepth::Rgb24), FileError);
}

std::vector<uint8_t> readPng(const std::vector<uint8_t>& bytes, uint32_t format, int& w, int& h) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    EXPECT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) << image.message;
    image.format = format;
    std::vector<uint8_t> out(PNG_IMAGE_SIZE(image));
    EXPECT_TRUE(png_image_finish_read(&image, nullptr, out.data(), 0, nullptr)) << image.message;
    w = int(image.width);
    h = int(image.height);
    return out;
}

TEST(PngWriter, RoundTripsThroughLibpngWithAndWithoutAlpha) {
    Image img = sample();
    int w = 0, h = 0;
    std::vector<uint8_t> rgba = readPng(EncodePng(img, true), PNG_FORMAT_BGRA, w, h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(rgba, img.bgra);
    std::vector<uint8_t> rgb = readPng(EncodePng(img, false), PNG_FORMAT_BGRA, w, h);
    for (size_t i = 3; i < img.bgra.size(); i += 4) img.bgra[i] = 255;
    EXPECT_EQ(rgb, img.bgra);
}

TEST(PngWriter, EmptyPictureIsRefused) { EXPECT_THROW(EncodePng(Image(), true), FormatError); }

}  // namespace
