// Dictionaries edited and written back: read again by the program's own table reader and
// decoder, never by the writer's own idea of what it wrote.
#include <gtest/gtest.h>

#include <cmath>

#include "core/io/errors.h"
#include "core/texture/linear_resample.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/texture_edit.h"
#include "core/texture/txd_reader.h"
#include "support/error_of.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

enum class Alpha { Opaque, Binary, Soft };

Image picture(int w, int h, Alpha alpha, int variant = 0) {
    Image img(w, h);
    img.bgra = demoPicture(w, h, variant);
    for (size_t i = 3; i < img.bgra.size(); i += 4) {
        uint8_t& a = img.bgra[i];
        a = alpha == Alpha::Opaque ? 255 : alpha == Alpha::Binary ? (a < 128 ? 0 : 255) : a;
    }
    return img;
}

// Over every channel, but the colour of a texel the source makes fully transparent is not seen.
double psnr(const Image& a, const Image& b) {
    double se = 0;
    for (size_t i = 0; i < a.bgra.size(); ++i)
        if (i % 4 == 3 || b.bgra[i | 3] != 0) se += std::pow(double(a.bgra[i]) - b.bgra[i], 2);
    return se == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * double(a.bgra.size()) / se);
}

int maxError(const Image& a, const Image& b) {
    int m = 0;
    for (size_t i = 0; i < a.bgra.size(); ++i) m = std::max(m, std::abs(int(a.bgra[i]) - int(b.bgra[i])));
    return m;
}

// The written bytes read back from scratch.
TextureDictionary reread(const TextureDictionary& d) { return TextureDictionary::read(d.write()); }

struct FormatRow {
    TargetFormat target;
    Alpha alpha;
    TexFormat layout;
    bool alphaFlag;
    uint32_t raster;  // with the mipmap bit
    uint8_t depth;
    int maxChannelError;  // -1: compressed, judged by PSNR
};

const FormatRow kRows[] = {
    {TargetFormat::Dxt1, Alpha::Opaque, TexFormat::Dxt1, false, 0x8200, 16, -1},
    {TargetFormat::Dxt1, Alpha::Binary, TexFormat::Dxt1, true, 0x8100, 16, -1},
    {TargetFormat::Dxt3, Alpha::Soft, TexFormat::Dxt3, true, 0x8300, 16, -1},
    {TargetFormat::Dxt5, Alpha::Soft, TexFormat::Dxt5, true, 0x8300, 16, -1},
    {TargetFormat::B8888, Alpha::Soft, TexFormat::B8888, true, 0x8500, 32, 0},
    {TargetFormat::B888, Alpha::Opaque, TexFormat::B888, false, 0x8600, 32, 0},
    {TargetFormat::B565, Alpha::Opaque, TexFormat::B565, false, 0x8200, 16, 4},
    {TargetFormat::B1555, Alpha::Binary, TexFormat::B1555, true, 0x8100, 16, 4},
    {TargetFormat::B4444, Alpha::Soft, TexFormat::B4444, true, 0x8300, 16, 8},
};

class WrittenFormat : public testing::TestWithParam<std::tuple<FormatRow, DictionaryGame>> {};

TEST_P(WrittenFormat, ReadsBackWithItsHeaderAndDecodesToThePicture) {
    const auto& [row, game] = GetParam();
    TextureDictionary d = TextureDictionary::create(game);
    const Image src = picture(64, 32, row.alpha);
    d.add("tex", src, {row.target, MipmapMode::Full, false});
    const std::vector<uint8_t> bytes = d.write();

    EntryReader r(bytes);
    const TxdTable table = ReadTextureTable(r);
    ASSERT_EQ(table.error, "");
    ASSERT_EQ(table.textures.size(), 1u);
    const TTexRec& t = table.textures[0];
    EXPECT_EQ(t.Platform, game == DictionaryGame::SanAndreas ? kPlatformD3D9 : kPlatformD3D8);
    EXPECT_EQ(t.Format, row.layout);
    EXPECT_EQ(t.HasAlpha, row.alphaFlag);
    EXPECT_EQ(t.RasterFormat, row.raster);
    EXPECT_EQ(t.Depth, row.depth);
    EXPECT_EQ(t.MipLevels, 7);  // 64 x 32 down to 1 x 1
    EXPECT_EQ(t.RasterType, 4);

    const Image back = decodeDictionaryTexture(reread(d).textures()[0]);
    if (row.maxChannelError >= 0) {
        EXPECT_LE(maxError(back, src), row.maxChannelError);
    } else {
        EXPECT_GE(psnr(back, src), 30.0);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormatBothPlatforms, WrittenFormat,
                         testing::Combine(testing::ValuesIn(kRows),
                                          testing::Values(DictionaryGame::ViceCity, DictionaryGame::SanAndreas)));

TEST(TextureDictionary, AnUnchangedDictionaryIsWrittenByteForByte) {
    std::vector<uint8_t> bytes = demoDictionary();
    // An extension with content, and a struct with a device id, must survive too.
    const std::vector<uint8_t> ext = rwChunk(3, rwChunk(0x253F2F9, {1, 2, 3, 4}));
    bytes.insert(bytes.end(), ext.begin(), ext.end());
    const uint32_t grown = uint32_t(bytes[4] | bytes[5] << 8 | bytes[6] << 16) + uint32_t(ext.size());
    for (int k = 0; k < 4; ++k) bytes[4 + size_t(k)] = uint8_t(grown >> (8 * k));
    bytes[12 + 12 + 2] = 2;
    EXPECT_EQ(TextureDictionary::read(bytes).write(), bytes);
}

TEST(TextureDictionary, ReplacingOneTextureKeepsEveryOtherByteForByte) {
    const std::vector<uint8_t> bytes = demoDictionary();
    TextureDictionary before = TextureDictionary::read(bytes);
    TextureDictionary d = before;
    applyEdit(d, ReplaceTexture{"VC_DXT5", std::make_shared<Image>(picture(32, 32, Alpha::Soft)), {}});
    const TextureDictionary after = reread(d);
    ASSERT_EQ(after.textures().size(), before.textures().size());
    for (size_t i = 0; i < before.textures().size(); ++i) {
        const auto& was = before.textures()[i];
        const auto& now = after.textures()[i];
        EXPECT_EQ(now.info.Name, was.info.Name);
        if (was.info.Name == "vc_dxt5") {
            EXPECT_EQ(now.info.Width, 32);
            EXPECT_EQ(now.info.Platform, kPlatformD3D8);  // the dictionary's first Direct3D platform
            EXPECT_EQ(now.info.MipLevels, was.info.MipLevels);
        } else {
            EXPECT_EQ(*now.native, *was.native) << was.info.Name;
        }
    }
    EXPECT_EQ(after.versionStamp(), before.versionStamp());
    // The copy taken before the edit still describes the dictionary as it was.
    EXPECT_EQ(before.write(), bytes);
}

TEST(TextureDictionary, ReplaceKeepsMaskAndAddressingAndFollowsMipmapsInTheFilter) {
    TxdTexture t = TxdTexture::d3d9("wall", TexFormat::B8888, 4, 4, pattern(64, 1));
    t.mask = "wallm";
    t.filterFlags = 0x3302;  // linear, clamped
    TextureDictionary d = TextureDictionary::read(TxdBuilder().add(t).build());
    d.replace(0, picture(8, 8, Alpha::Opaque), {TargetFormat::Auto, MipmapMode::Full, false});
    const std::vector<uint8_t> native = *reread(d).textures()[0].native;
    EXPECT_EQ(reread(d).textures()[0].info.MaskName, "wallm");
    EXPECT_EQ(native[24 + 4] | native[24 + 5] << 8, 0x3306);  // linear mip linear, still clamped
}

TEST(TextureDictionary, KeepMakesAFullChainOfTheNewSizeFromAFullChain) {
    TextureDictionary d = TextureDictionary::create(DictionaryGame::SanAndreas);
    d.add("a", picture(16, 16, Alpha::Opaque), {TargetFormat::Dxt1, MipmapMode::Full, false});
    d.add("b", picture(16, 16, Alpha::Opaque), {TargetFormat::Dxt1, MipmapMode::None, false});
    d.replace(0, picture(64, 64, Alpha::Opaque), {});
    d.replace(1, picture(64, 64, Alpha::Opaque), {});
    EXPECT_EQ(d.textures()[0].info.MipLevels, 7);
    EXPECT_EQ(d.textures()[1].info.MipLevels, 1);
}

TEST(TextureDictionary, AutoChoosesByTheAlphaThePictureHas) {
    const std::tuple<Alpha, TexFormat, bool> rows[] = {
        {Alpha::Opaque, TexFormat::Dxt1, false},
        {Alpha::Binary, TexFormat::Dxt3, true},
        {Alpha::Soft, TexFormat::Dxt5, true},
    };
    for (const auto& [alpha, layout, flag] : rows) {
        const ChosenFormat c = chooseFormat(TargetFormat::Auto, picture(64, 64, alpha));
        EXPECT_EQ(c.format, layout);
        EXPECT_EQ(c.alpha, flag);
    }
}

TEST(TextureDictionary, MipmapsAverageInLinearLight) {
    Image img(2, 1);
    img.bgra = {0, 0, 0, 255, 255, 255, 255, 255};
    const std::vector<Image> chain = mipmapChain(img, fullMipmapCount(2, 1));
    ASSERT_EQ(chain.size(), 2u);
    // Half of white's light is sRGB 188, not the 128 of averaged bytes.
    EXPECT_EQ(chain[1].bgra, (std::vector<uint8_t>{188, 188, 188, 255}));
}

TEST(TextureDictionary, SidesThatAreNotPowersOfTwoAreRefusedOrResized) {
    TextureDictionary d = TextureDictionary::create(DictionaryGame::III);
    EXPECT_EQ(errorOf([&] { d.add("a", picture(300, 200, Alpha::Opaque), {}); }),
              "the picture is 300 x 200; texture sides must be powers of two up to 4096");
    EXPECT_EQ(errorOf([&] { d.add("a", picture(8, 8192, Alpha::Opaque), {}); }),
              "the picture is 8 x 8192; texture sides must be powers of two up to 4096");
    EXPECT_TRUE(d.textures().empty());
    d.add("a", picture(300, 200, Alpha::Opaque), {TargetFormat::B8888, MipmapMode::None, true});
    EXPECT_EQ(d.textures()[0].info.Width, 256);
    EXPECT_EQ(d.textures()[0].info.Height, 256);  // 200 is nearer 256 than 128
}

TEST(TextureDictionary, NamesAreCheckedBeforeAnythingChanges) {
    TextureDictionary d = TextureDictionary::create(DictionaryGame::SanAndreas);
    d.add("Grass", picture(4, 4, Alpha::Opaque), {});
    const std::vector<uint8_t> before = d.write();
    const auto img = std::make_shared<Image>(picture(4, 4, Alpha::Opaque));
    const std::pair<TextureEdit, std::string> rows[] = {
        {AddTexture{std::string(32, 'x'), img, {}, {}},
         "the texture name '" + std::string(32, 'x') + "' is longer than 31 bytes"},
        {AddTexture{"GRASS", img, {}, {}}, "the dictionary already has a texture named 'Grass'"},
        {AddTexture{"", img, {}, {}}, "a texture name cannot be empty"},
        {RenameTexture{"grass", std::string(40, 'y')}, "the texture name '" + std::string(40, 'y') + "' is longer than 31 bytes"},
        {DeleteTexture{"sand"}, "there is no texture 'sand' in the dictionary"},
        {ReplaceTexture{"sand", img, {}}, "there is no texture 'sand' in the dictionary"},
    };
    for (const auto& [edit, message] : rows) {
        EXPECT_EQ(errorOf([&] { applyEdit(d, edit); }), message);
        EXPECT_EQ(d.write(), before);
    }
}

TEST(TextureDictionary, RenameChangesOnlyTheNameField) {
    TextureDictionary d = TextureDictionary::read(demoDictionary());
    const std::vector<uint8_t> was = *d.textures()[2].native;
    applyEdit(d, RenameTexture{"vc_dxt3", "brick"});
    const TextureDictionary after = reread(d);
    const auto& now = after.textures()[2];
    EXPECT_EQ(now.info.Name, "brick");
    ASSERT_EQ(now.native->size(), was.size());
    std::vector<uint8_t> expected = was;  // the name field is bytes 32..63
    std::fill(expected.begin() + 32, expected.begin() + 64, 0);
    std::copy_n("brick", 5, expected.begin() + 32);
    EXPECT_EQ(*now.native, expected);
}

TEST(TextureDictionary, DamagedDictionariesAreRefused) {
    const std::vector<uint8_t> good = demoDictionary();
    std::vector<uint8_t> cut(good.begin(), good.end() - 100);
    std::vector<uint8_t> counted = good;
    counted[24] = uint8_t(counted[24] + 1);
    std::vector<uint8_t> other = good;
    other[0] = 16;
    const std::pair<std::vector<uint8_t>, std::string> rows[] = {
        {cut, "Damaged texture dictionary: Texture Dictionary at byte 0 runs past its parent"},
        {counted, "Damaged texture dictionary: it announces 13 textures and holds 12"},
        {other, "Damaged texture dictionary: it does not start with a Texture Dictionary chunk"},
        {{22, 0}, "Damaged texture dictionary: the chunk header at byte 0 is cut short"},
    };
    for (const auto& [bytes, message] : rows) EXPECT_EQ(errorOf([&] { TextureDictionary::read(bytes); }), message);
}

}  // namespace
