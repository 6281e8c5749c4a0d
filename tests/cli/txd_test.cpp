// varmelo-cli txd: what it prints, and that a refusal leaves the dictionary and the archive as
// they were. What the dictionary holds afterwards is the core's tests' business.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_cli.h"
#include "core/texture/png_writer.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace cli_testing;
using namespace testing_support;

namespace {

class CliTxd : public testing::Test {
protected:
    TempDir dir;
    std::string img = dir.file("a.img");
    std::string png = dir.file("grass.png");
    void SetUp() override {
        ImgBuilder().add("first.dat", pattern(3000, 1)).add("cars.txd", demoDictionary()).writeV2(img);
        varmelo::Image p(16, 16);
        p.bgra = demoPicture(16, 16, 0);
        for (size_t i = 3; i < p.bgra.size(); i += 4) p.bgra[i] = 255;
        varmelo::WritePng(png, p, false);
    }
};

TEST_F(CliTxd, EachChangePrintsOneLine) {
    const std::string txd = dir.file("new.txd");
    CliResult r = runCli({"txd", "create", "--game", "vc", txd, png});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "created " + txd + "\nadded grass: DXT1, 16 x 16, 1 level\n");
    // A loose dictionary written anew keeps its permission bits.
    std::filesystem::permissions(txd, std::filesystem::perms(0640));
    EXPECT_EQ(runCli({"txd", txd, "rename", "grass", "lawn"}).out, "renamed grass to lawn\n");
    EXPECT_EQ(std::filesystem::status(txd).permissions(), std::filesystem::perms(0640));
    r = runCli({"txd", img, "CARS.TXD", "add", "--format", "565", "--mipmaps", "full", png + "=lawn"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "added lawn: 565, 16 x 16, 5 levels\n");
    r = runCli({"txd", img, "cars.txd", "rename", "LAWN", "turf"});
    EXPECT_EQ(r.out, "renamed lawn to turf\n");
    r = runCli({"txd", img, "cars.txd", "delete", "turf", "vc_dxt1"});
    EXPECT_EQ(r.out, "deleted turf\ndeleted vc_dxt1\n");
    EXPECT_EQ(runCli({"txd", img, "cars.txd", "import", dir.path()}).out, "");  // no picture named like a texture
    writeFile(dir.file("VC_DXT3.png"), readFile(png));
    r = runCli({"txd", img, "cars.txd", "import", "--format", "8888", dir.path()});
    EXPECT_EQ(r.out, "replaced vc_dxt3: 8888, 16 x 16, 1 level\n") << r.err;
}

TEST_F(CliTxd, RefusalsWriteNothing) {
    const std::string txd = dir.file("loose.txd");
    writeFile(txd, demoDictionary());
    writeFile(dir.file("bad.png"), pattern(100, 4));
    writeFile(dir.file("x.txd"), pattern(100, 5));
    const Bytes archiveBefore = readFile(img), looseBefore = readFile(txd);
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"txd", txd, "add", png, dir.file("bad.png")}, dir.file("bad.png") + ": not a picture this program reads (PNG, JPEG, BMP, TGA, DDS)"},
        {{"txd", txd, "add", png + "=" + std::string(32, 'n')}, png + ": the texture name '" + std::string(32, 'n') + "' is longer than 31 bytes"},
        {{"txd", txd, "add", png + "=VC_DXT5"}, png + ": the dictionary already has a texture named 'vc_dxt5'"},
        {{"txd", txd, "replace", "nosuch", png}, "no texture named 'nosuch'"},
        {{"txd", img, "cars.txd", "delete", "vc_dxt5", "nosuch"}, "no texture named 'nosuch'"},
        {{"txd", img, "first.dat", "delete", "x"}, "Damaged texture dictionary: it does not start with a Texture Dictionary chunk"},
        {{"txd", dir.file("x.txd"), "delete", "x"}, "Damaged texture dictionary: it does not start with a Texture Dictionary chunk"},
    };
    for (const auto& [args, message] : rows) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "varmelo-cli: " + message + "\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(readFile(img), archiveBefore);
    EXPECT_EQ(readFile(txd), looseBefore);
}

}  // namespace
