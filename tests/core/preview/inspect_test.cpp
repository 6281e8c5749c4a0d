#include <gtest/gtest.h>

#include "core/io/errors.h"
#include "core/preview/inspect.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/dds_loader.h"
#include "core/texture/tga_loader.h"
#include "support/dds_builder.h"
#include "support/img_builder.h"
#include "support/ipl_builder.h"
#include "support/temp_dir.h"
#include "support/tga_builder.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// Two 4 x 4 textures: an opaque DXT1 and an 8888 one whose left half is transparent.
std::vector<uint8_t> dictionary() {
    std::vector<uint8_t> argb;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) argb.insert(argb.end(), {10, 20, 30, uint8_t(x < 2 ? 0 : 255)});
    return TxdBuilder()
        .add(TxdTexture::d3d8("road", TexFormat::Dxt1, 4, 4, dxtColourBlock(0xF800, 0x001F, 0u)))
        .add(TxdTexture::d3d9("glass", TexFormat::B8888, 4, 4, argb, true))
        .build();
}

TEST(InspectEntry, DictionaryListsItsTextures) {
    EntryReader r(dictionary());
    EntryInspection info = InspectEntry(r, "VEHICLE.TXD");
    EXPECT_EQ(info.format, EntryFormat::Txd);
    EXPECT_EQ(info.error, "");
    EXPECT_EQ(info.textureCount, 2);
    ASSERT_EQ(info.textures.size(), 2u);
    const TextureInfo& a = info.textures[0];
    EXPECT_EQ(a.name, "road");
    EXPECT_EQ(a.mask, "");
    EXPECT_EQ(a.width, 4);
    EXPECT_EQ(a.height, 4);
    EXPECT_EQ(a.depth, 16);
    EXPECT_FALSE(a.hasAlpha);
    EXPECT_EQ(a.format, "DXT1");
    EXPECT_EQ(a.dataSize, 8u);
    const TextureInfo& b = info.textures[1];
    EXPECT_EQ(b.name, "glass");
    EXPECT_EQ(b.mask, "glassa");
    EXPECT_EQ(b.depth, 32);
    EXPECT_TRUE(b.hasAlpha);
    EXPECT_EQ(b.format, "8888");
    EXPECT_EQ(b.dataSize, 64u);
}

TEST(InspectEntry, PicturesTextAndOtherKinds) {
    TgaFile tga;
    tga.width = 3;
    tga.height = 2;
    tga.bgra = pattern(24, 1);
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        EntryFormat format;
        int w, h;
        bool alpha;
    };
    const std::vector<Row> rows = {
        {"sky.dds", buildDds(DdsFile::argb32(2, 1, pattern(8, 3))), EntryFormat::Dds, 2, 1, true},
        {"SKY.DTX", buildDds(DdsFile::dxt("DXT1", 8, 4, std::vector<uint8_t>(16))), EntryFormat::Dds, 8, 4, false},
        {"logo.tga", buildTga(tga), EntryFormat::Tga, 3, 2, true},
        {"car.dff", {1, 2, 3}, EntryFormat::Dff, 0, 0, false},
        {"readme", {1, 2, 3}, EntryFormat::Unknown, 0, 0, false},
        {"data.txd.bak", {1, 2, 3}, EntryFormat::Unknown, 0, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EntryReader r(row.bytes);
        EntryInspection info = InspectEntry(r, row.name);
        EXPECT_EQ(info.format, row.format);
        EXPECT_EQ(info.width, row.w);
        EXPECT_EQ(info.height, row.h);
        EXPECT_EQ(info.hasAlpha, row.alpha);
        EXPECT_EQ(info.error, "");
    }
    EntryReader ipl(IplBuilder().add(IplInstance{}).build());
    EntryInspection text = InspectEntry(ipl, "a.ipl");
    EXPECT_TRUE(text.binaryIpl);
    EXPECT_EQ(text.lines.size(), 23u);
    EXPECT_EQ(text.lines[0], "# IPL generated from binary IPL file a.ipl");
}

TEST(InspectEntry, BadContentIsReportedNotThrown) {
    TgaFile mapped;
    mapped.colourMapType = 1;
    mapped.bits = 24;
    EntryReader tga(buildTga(mapped));
    EXPECT_EQ(InspectEntry(tga, "a.tga").error, "ColorMapped TGA unsupported");
    EntryReader txd(std::vector<uint8_t>(30, 0));
    EntryInspection info = InspectEntry(txd, "a.txd");
    EXPECT_EQ(info.error, "Texture Dictionary at 0x18: not found before the end of the entry");
    EXPECT_TRUE(info.textures.empty());
}

// inspect reads headers only; what it says must still be what the loaders find.
TEST(InspectEntry, PictureHeadersAgreeWithTheLoaders) {
    auto tga = [](uint8_t type, uint8_t bits, bool topLeft) {
        TgaFile t;
        t.imageType = type;
        t.bits = bits;
        t.topLeft = topLeft;
        t.width = 7;
        t.height = 5;
        t.bgra = pattern(7 * 5 * 4, 3);
        return buildTga(t);
    };
    // DXT1 blocks of a 6 x 2 picture: the second block's transparent texels (code 3 with
    // c0 <= c1) sit once inside the picture, once only in the rows below it.
    const Bytes opaque = dxtColourBlock(0xF800, 0x001F, 0u);
    const Bytes holeInside = dxtColourBlock(0x001F, 0xF800, 0x3u);             // texel 0
    const Bytes holeOutside = dxtColourBlock(0x001F, 0xF800, 0x3u << 16);      // texel 8: row 2
    auto dxt1 = [&](const Bytes& second) {
        Bytes blocks = opaque;
        blocks.insert(blocks.end(), second.begin(), second.end());
        return buildDds(DdsFile::dxt("DXT1", 6, 2, blocks));
    };
    DdsFile masked = DdsFile::argb32(3, 3, pattern(36, 4));
    DdsFile unmasked = masked;
    unmasked.pixelFlags &= ~0x1u;
    const struct Row {
        const char* name;
        Bytes file;
        bool hasAlpha;
    } rows[] = {
        {"raw24.tga", tga(2, 24, false), false},
        {"raw32.tga", tga(2, 32, true), true},
        {"rle24.tga", tga(10, 24, true), false},
        {"rle32.tga", tga(10, 32, false), true},
        {"opaque.dds", dxt1(opaque), false},
        {"hole.dds", dxt1(holeInside), true},
        {"padding.dds", dxt1(holeOutside), false},
        {"dxt5.dds", buildDds(DdsFile::dxt("DXT5", 4, 4, Bytes(16, 0))), true},
        {"masked.dds", buildDds(masked), true},
        {"unmasked.dds", buildDds(unmasked), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EntryReader r{Bytes(row.file)};
        const EntryInspection in = InspectEntry(r, row.name);
        ASSERT_EQ(in.error, "");
        const bool dds = std::string(row.name).ends_with(".dds");
        const LoadedImage img = dds ? LoadDds(r) : LoadTga(r);
        EXPECT_EQ(in.width, img.image.width);
        EXPECT_EQ(in.height, img.image.height);
        EXPECT_EQ(in.hasAlpha, img.hasAlpha);
        EXPECT_EQ(in.hasAlpha, row.hasAlpha);
    }
}

TEST(InspectEntry, APictureIsNotDecodedToTellItsSize) {
    // Run-length pixels that stop half way: the loader fails, the header is still whole.
    TgaFile t;
    t.imageType = 10;
    t.width = 300;
    t.height = 200;
    t.bgra = pattern(300 * 200 * 4, 5);
    Bytes file = buildTga(t);
    file.resize(file.size() / 2);
    EntryReader r{Bytes(file)};
    EXPECT_THROW(LoadTga(r), FileError);
    const EntryInspection in = InspectEntry(r, "big.tga");
    EXPECT_EQ(in.error, "");
    EXPECT_EQ(in.width, 300);
    EXPECT_EQ(in.height, 200);
    // Pixels that cannot fit in the file at all are still refused from the header.
    file.resize(18 + 10);
    EntryReader cut{Bytes(file)};
    EXPECT_EQ(InspectEntry(cut, "big.tga").error, "Read beyond end of file");
}

TEST(ExportPicture, TextureModesAtFullSize) {
    EntryReader r(dictionary());
    Image rgba = ExportPicture(r, "v.txd", 1, ExportMode::Rgba);
    ASSERT_EQ(rgba.width, 4);
    ASSERT_EQ(rgba.height, 4);
    EXPECT_EQ(rgba.pixel(0, 0)[3], 0);
    EXPECT_EQ(rgba.pixel(3, 0)[3], 255);
    EXPECT_EQ(rgba.pixel(0, 0)[0], 10);
    Image rgb = ExportPicture(r, "v.txd", 1, ExportMode::Rgb);
    EXPECT_EQ((std::vector<uint8_t>(rgb.pixel(0, 0), rgb.pixel(0, 0) + 4)), (std::vector<uint8_t>{10, 20, 30, 255}));
    Image alpha = ExportPicture(r, "v.txd", 1, ExportMode::Alpha);
    EXPECT_EQ((std::vector<uint8_t>(alpha.pixel(0, 0), alpha.pixel(0, 0) + 4)), (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(alpha.pixel(2, 0)[0], 255);
    Image checker = ExportPicture(r, "v.txd", 1, ExportMode::Checker);
    EXPECT_EQ((std::vector<uint8_t>(checker.pixel(0, 0), checker.pixel(0, 0) + 4)),
              (std::vector<uint8_t>{192, 192, 192, 255}));
    Image road = ExportPicture(r, "v.txd", 0, ExportMode::Rgba);
    EXPECT_EQ(road.pixel(1, 1)[2], 255) << "code 0 is c0, red";
}

TEST(ExportPicture, PicturesAndRefusals) {
    EntryReader dds(buildDds(DdsFile::argb32(1, 1, {1, 2, 3, 4})));
    Image img = ExportPicture(dds, "a.dds", 0, ExportMode::Alpha);
    EXPECT_EQ((std::vector<uint8_t>(img.bgra.begin(), img.bgra.end())), (std::vector<uint8_t>{4, 4, 4, 4}));
    EntryReader txd(dictionary());
    EXPECT_THROW(ExportPicture(txd, "v.txd", 2, ExportMode::Rgba), UsageError);
    EXPECT_THROW(ExportPicture(txd, "v.txd", -1, ExportMode::Rgba), UsageError);
    EXPECT_THROW(ExportPicture(txd, "v.ipl", 0, ExportMode::Rgba), UsageError);
    TxdTexture shortLevel = TxdTexture::d3d9("s", TexFormat::Dxt1, 64, 64, std::vector<uint8_t>(100));
    EntryReader bad(TxdBuilder().add(shortLevel).build());
    try {
        ExportPicture(bad, "s.txd", 0, ExportMode::Rgba);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "Texture data is shorter than its format needs");
    }
}

TEST(ExportPicture, ModeNames) {
    for (ExportMode m : {ExportMode::Rgba, ExportMode::Rgb, ExportMode::Alpha, ExportMode::Checker})
        EXPECT_EQ(parseExportMode(exportModeName(m)), m);
    EXPECT_EQ(parseExportMode("RGBA"), std::nullopt);
}

TEST(SavePicture, ChoosesTheWriterByExtension) {
    TempDir dir;
    Image img(2, 2);
    SavePicture(dir.file("a.PNG"), img, true);
    SavePicture(dir.file("b.png.bmp"), img, false);
    SavePicture(dir.file("c"), img, true);
    EXPECT_EQ(readFile(dir.file("a.PNG"))[1], 'P');
    EXPECT_EQ(readFile(dir.file("b.png.bmp")), EncodeBmp(img, BmpDepth::Rgb24));
    EXPECT_EQ(readFile(dir.file("c")), EncodeBmp(img, BmpDepth::Argb32));
}

TEST(OpenEntryReader, UsesTheArchiveKindsUnit) {
    TempDir dir;
    std::vector<uint8_t> txd = dictionary();
    ImgBuilder().add("v.txd", txd).at(3).writeV2(dir.file("a.img"));
    Archive a;
    a.ArchivePath = dir.file("a.img");
    a.ArchiveKind = TArchiveKind::akImgV2;
    TEntryRec e;
    e.Offset = 3;
    e.Size = 1;
    e.Name = "v.txd";
    EntryReader r = openEntryReader(a, e);
    EXPECT_EQ(r.origin(), 3u * 2048);
    EXPECT_EQ(r.size(), 2048u);
    EntryInspection info = InspectEntry(r, e.Name);
    ASSERT_EQ(info.textures.size(), 2u);
    a.ArchiveKind = TArchiveKind::akSyb;
    e.Offset = 3 * 2048;
    e.Size = uint32_t(txd.size());
    EntryReader bytes = openEntryReader(a, e);
    EXPECT_EQ(bytes.origin(), 3u * 2048);
    EXPECT_EQ(bytes.size(), txd.size());
}

}  // namespace
