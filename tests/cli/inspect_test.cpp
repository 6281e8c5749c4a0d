// inspect and export on archive entries and loose files.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/json_value.h"
#include "cli/run_cli.h"
#include "core/io/entry_reader.h"
#include "core/preview/inspect.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/png_writer.h"
#include "support/dds_builder.h"
#include "support/img_builder.h"
#include "support/ipl_builder.h"
#include "support/temp_dir.h"
#include "support/tga_builder.h"
#include "support/txd_builder.h"

using namespace cli_testing;
using namespace testing_support;
using varmelo::EntryReader;
using varmelo::ExportMode;
using varmelo::ExportPicture;
using varmelo::Image;

namespace {

Bytes tgaPicture() {
    TgaFile t;
    t.bits = 24;
    t.width = 20;
    t.height = 10;
    t.bgra = demoPicture(20, 10, 1);
    return buildTga(t);
}

class CliInspect : public testing::Test {
protected:
    TempDir dir;
    std::string img = dir.file("a.img");
    Bytes txd = demoDictionary();
    Bytes dds = buildDds(DdsFile::dxt("DXT5", 32, 16, encodeDxt(varmelo::DxtKind::Dxt5, demoPicture(32, 16, 0), 32, 16)));
    void SetUp() override {
        IplInstance i;
        i.x = 10.5f;
        i.model = 7;
        ImgBuilder()
            .add("readme.txt", "hello")
            .add("vehicle.txd", txd)
            .add("sky.dds", dds)
            .add("props.ipl", IplBuilder().add(i).build())
            .writeV2(img);
    }
    // The file name export --all gives the dictionary's first texture.
    std::string safeFirstTextureFile() {
        EntryReader r{Bytes(txd)};
        return varmelo::InspectEntry(r, "d.txd").textures.at(0).name + ".png";
    }
    Image expected(const Bytes& bytes, const std::string& name, int index, ExportMode mode) {
        EntryReader r{Bytes(bytes)};
        return ExportPicture(r, name, index, mode);
    }
};

TEST_F(CliInspect, DictionaryAsJson) {
    CliResult r = runCli({"inspect", "--json", img, "vehicle.txd"});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = parseJson(r.out);
    EXPECT_EQ(j["type"].string, "txd");
    ASSERT_EQ(j["textures"].items.size(), 12u);
    const Json& t = j["textures"][3];
    EXPECT_EQ(t["name"].string, "vc_dxt5");
    EXPECT_EQ(t["mask"].string, "vc_dxt5a");
    EXPECT_EQ(t["width"].number, 64);
    EXPECT_EQ(t["height"].number, 64);
    EXPECT_EQ(t["depth"].number, 16);
    EXPECT_TRUE(t["has_alpha"].boolean);
    EXPECT_EQ(t["format"].string, "DXT5");
    EXPECT_EQ(t["data_size"].number, 4096);
    EXPECT_FALSE(j["textures"][0]["has_alpha"].boolean);
    EXPECT_EQ(j["textures"][5]["format"].string, "PAL8");
}

TEST_F(CliInspect, PicturesOfEntriesAndLooseFiles) {
    CliResult r = runCli({"inspect", "--json", img, "#2"});
    ASSERT_EQ(r.status, 0) << r.err;
    Json j = parseJson(r.out);
    EXPECT_EQ(j["type"].string, "dds");
    EXPECT_EQ(j["width"].number, 32);
    EXPECT_EQ(j["height"].number, 16);
    EXPECT_TRUE(j["has_alpha"].boolean);

    writeFile(dir.file("logo.TGA"), tgaPicture());
    r = runCli({"inspect", "--json", dir.file("logo.TGA")});
    ASSERT_EQ(r.status, 0) << r.err;
    j = parseJson(r.out);
    EXPECT_EQ(j["type"].string, "tga");
    EXPECT_EQ(j["width"].number, 20);
    EXPECT_FALSE(j["has_alpha"].boolean);
    r = runCli({"inspect", dir.file("logo.TGA")});
    EXPECT_EQ(r.out, "tga picture 20x10, opaque\n");
}

TEST_F(CliInspect, PlacementText) {
    CliResult r = runCli({"inspect", img, "props.ipl"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("end")),
              "# IPL generated from binary IPL file props.ipl\n# Varmelo 3.0\ninst\n"
              "7, item1, 0, 10.50, 0.00, 0.00, 0.00, 0.00, 0.00, 1.00, -1\n");
    Json j = parseJson(runCli({"inspect", "--json", img, "props.ipl"}).out);
    EXPECT_EQ(j["type"].string, "ipl");
    EXPECT_EQ(j["lines"].items.size(), 23u);
    EXPECT_EQ(j["lines"][22].string, "end");
}

TEST_F(CliInspect, BrokenEntryReportsAndFails) {
    Bytes cut(txd.begin(), txd.begin() + long(txd.size() / 3));
    writeFile(dir.file("cut.txd"), cut);
    CliResult r = runCli({"inspect", "--json", dir.file("cut.txd")});
    EXPECT_EQ(r.status, 1);
    Json j = parseJson(r.out);
    EXPECT_EQ(j["error"].string, "Texture Native at 0x321C: runs past the end of the entry");
    EXPECT_FALSE(j["textures"].items.empty());
    EXPECT_NE(r.err.find("Texture Native at 0x321C: runs past the end of the entry"), std::string::npos);
}

struct ExportRow {
    std::vector<std::string> extra;
    std::string out;
    int index;
    ExportMode mode;
};

TEST_F(CliInspect, ExportOneTexture) {
    const std::vector<ExportRow> rows = {
        {{}, "first.bmp", 0, ExportMode::Rgba},
        {{"--texture", "#3", "--mode", "alpha"}, "mask.bmp", 3, ExportMode::Alpha},
        {{"--texture", "VC_ARGB", "--mode", "rgb"}, "argb.png", 4, ExportMode::Rgb},
        {{"--texture", "vc_dxt1_cutout", "--mode", "checker"}, "cut.png", 1, ExportMode::Checker},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.out);
        std::vector<std::string> args = {"export", img, "vehicle.txd"};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        args.insert(args.end(), {"-o", dir.file(row.out)});
        CliResult r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const Image want = expected(txd, "vehicle.txd", row.index, row.mode);
        const bool alpha = row.mode == ExportMode::Rgba;
        const Bytes bytes = row.out.ends_with(".png") ? varmelo::EncodePng(want, alpha)
                                                      : varmelo::EncodeBmp(want, alpha ? varmelo::BmpDepth::Argb32
                                                                                       : varmelo::BmpDepth::Rgb24);
        EXPECT_EQ(readFile(dir.file(row.out)), bytes);
    }
}

TEST_F(CliInspect, ExportPictureAndAll) {
    CliResult r = runCli({"export", img, "sky.dds", "-o", dir.file("sky.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(dir.file("sky.png")), varmelo::EncodePng(expected(dds, "sky.dds", 0, ExportMode::Rgba), true));

    // names that would leave the folder, and a repeated one
    Bytes level = repeatBlock(dxtColourBlock(rgb565(255, 0, 0), rgb565(255, 0, 0), 0u), 2);
    Bytes odd = TxdBuilder()
                    .add(TxdTexture::d3d9("../up", varmelo::TexFormat::Dxt1, 8, 4, level))
                    .add(TxdTexture::d3d9("same", varmelo::TexFormat::Dxt1, 8, 4, level))
                    .add(TxdTexture::d3d9("same", varmelo::TexFormat::Dxt1, 8, 4, level))
                    .add(TxdTexture::d3d9("", varmelo::TexFormat::Dxt1, 8, 4, level))
                    .build();
    writeFile(dir.file("odd.txd"), odd);
    r = runCli({"export", dir.file("odd.txd"), "--all", "-o", dir.file("out")});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.file("out"))) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".._up.png", "same.png", "same_2.png", "texture_3.png"}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("up.png")));
    EXPECT_EQ(readFile(dir.file("out/same_2.png")), varmelo::EncodePng(expected(odd, "odd.txd", 2, ExportMode::Rgba), true));
}

TEST_F(CliInspect, ExportAllNeverWritesThroughALinkInTheFolder) {
    writeFile(dir.file("d.txd"), txd);
    std::filesystem::create_directories(dir.file("out"));
    writeFile(dir.file("victim.png"), "precious");
    const std::string first = safeFirstTextureFile();
    std::filesystem::create_symlink("../victim.png", dir.file("out/" + first));
    CliResult r = runCli({"export", dir.file("d.txd"), "--all", "-o", dir.file("out")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(first + ": a symbolic link is in its place"), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir.file("victim.png")), Bytes({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
    // the other textures are written
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.file("out"))) files += e.is_regular_file() ? 1 : 0;
    EXPECT_GT(files, 0u);
}

TEST_F(CliInspect, ExportRefusals) {
    struct Row {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::vector<Row> rows = {
        {{"export", img, "vehicle.txd"}, 2, "no output given"},
        {{"export", img, "readme.txt", "-o", dir.file("x.bmp")}, 1, "no picture in readme.txt"},
        {{"export", img, "vehicle.txd", "--texture", "#12", "-o", dir.file("x.bmp")}, 1, "no texture #12"},
        {{"export", img, "vehicle.txd", "--texture", "nothing", "-o", dir.file("x.bmp")}, 1, "no texture named"},
        {{"export", img, "sky.dds", "--texture", "#0", "-o", dir.file("x.bmp")}, 1, "single picture"},
        {{"export", img, "vehicle.txd", "--mode", "hsv", "-o", dir.file("x.bmp")}, 2, "--mode"},
    };
    for (const auto& row : rows) {
        CliResult r = runCli(row.args);
        EXPECT_EQ(r.status, row.status) << row.err;
        EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bmp")));
}

}  // namespace
