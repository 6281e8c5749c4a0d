// Writes the starting corpus of every fuzz target, made by the same builders the tests use, so
// the fuzzer starts from well-formed files and mutates from there:
//   make_seeds OUTPUT_FOLDER   ->   OUTPUT_FOLDER/<target>/<seed>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/texture/bmp_writer.h"
#include "core/texture/png_writer.h"
#include "support/archive_builders.h"
#include "support/col_builder.h"
#include "support/dds_builder.h"
#include "support/demo_vehicle.h"
#include "support/dff_builder.h"
#include "support/game_folder_builder.h"
#include "support/img_builder.h"
#include "support/ipl_builder.h"
#include "support/numbered_name.h"
#include "support/temp_dir.h"
#include "support/tga_builder.h"
#include "support/txd_builder.h"

using namespace testing_support;
using Bytes = std::vector<uint8_t>;

namespace {

std::string root;

void seed(const std::string& target, const std::string& name, const Bytes& bytes) {
    const std::string folder = root + "/" + target;
    ::mkdir(folder.c_str(), 0755);
    writeFile(folder + "/" + name, bytes);
}

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A few entries of different sizes, one with a Cyrillic name; small so mutations stay cheap.
template <class Builder>
Builder& fill(Builder& b) {
    b.add("a.txd", pattern(100, 1));
    b.add("b.dff", pattern(2500, 2));
    b.add("\xc0\xc1.txt", text("hello"));
    b.add("empty", Bytes{});
    return b;
}

void imgSeeds() {
    TempDir tmp;
    ImgBuilder img;
    fill(img);
    img.writeV2(tmp.file("v2.img"));
    const Bytes v2 = readFile(tmp.file("v2.img"));
    seed("img_v2", "four", v2);
    seed("detect", "img_v2", concat({Bytes{0}, v2}));
    img.writeV1(tmp.file("v1.img"));
    const Bytes dir = readFile(tmp.file("v1.dir"));
    const Bytes length{uint8_t(dir.size()), uint8_t(dir.size() >> 8)};
    seed("img_v1", "four", concat({length, dir, readFile(tmp.file("v1.img"))}));
    ImgBuilder one;
    one.add("only.col", demoCollision()).writeV2(tmp.file("one.img"));
    seed("img_v2", "one", readFile(tmp.file("one.img")));
}

void otherArchiveSeeds() {
    SybBuilder syb;
    seed("syb", "four", fill(syb).build());
    seed("detect", "syb", concat({Bytes{0}, syb.build()}));
    BigBuilder big;
    seed("big", "four", fill(big).build());
    seed("detect", "big", concat({Bytes{0}, big.build()}));
    ZipBuilder zip;
    fill(zip).add("d.txt", text("described"), ZipBuilder::Options{.dataDescriptor = true});
    seed("pk4", "five", zip.comment("note").build());
    seed("detect", "pk4", concat({Bytes{0}, zip.build()}));
    BinBuilder bin;
    bin.entry("TEXR", "a.tga", pattern(300, 3)).entry("MESH", "b.msh", pattern(40, 4)).end();
    seed("bin", "two", bin.build());
    seed("detect", "bin", concat({Bytes{0}, bin.build()}));
    PakBuilder pak;
    seed("pak", "four", fill(pak).build());
    seed("detect", "pak", concat({Bytes{1}, pak.build()}));
}

void textureSeeds() {
    seed("txd", "demo", demoDictionary());
    seed("txd_edit", "demo", demoDictionary());
    varmelo::Image picture(8, 8);
    picture.bgra = demoPicture(8, 8, 1);
    seed("picture", "png", varmelo::EncodePng(picture, true));
    seed("picture", "bmp32", varmelo::EncodeBmp(picture, varmelo::BmpDepth::Argb32));
    seed("picture", "bmp24", varmelo::EncodeBmp(picture, varmelo::BmpDepth::Rgb24));
    TxdBuilder small;
    small.add(TxdTexture::d3d8("dxt1", varmelo::TexFormat::Dxt1, 8, 8,
                               encodeDxt(varmelo::DxtKind::Dxt1, demoPicture(8, 8, 0), 8, 8)));
    small.add(TxdTexture::d3d9("dxt5", varmelo::TexFormat::Dxt5, 4, 4,
                               encodeDxt(varmelo::DxtKind::Dxt5, demoPicture(4, 4, 1), 4, 4), true));
    Bytes palette;
    const Bytes indexed = demoIndexed(4, 4, palette);
    TxdTexture pal = TxdTexture::d3d8("pal8", varmelo::TexFormat::Pal8, 4, 4, indexed);
    pal.palette = palette;
    small.add(pal);
    small.add(TxdTexture::d3d9("bgra", varmelo::TexFormat::B8888, 2, 2, pattern(16, 5)));
    seed("txd", "small", small.build());

    for (const char* code : {"DXT1", "DXT3", "DXT5"}) {
        const varmelo::DxtKind kind = code[3] == '1'   ? varmelo::DxtKind::Dxt1
                                      : code[3] == '3' ? varmelo::DxtKind::Dxt3
                                                       : varmelo::DxtKind::Dxt5;
        seed("dds", code, buildDds(DdsFile::dxt(code, 8, 4, encodeDxt(kind, demoPicture(8, 4, 2), 8, 4))));
    }
    seed("dds", "argb32", buildDds(DdsFile::argb32(3, 2, pattern(24, 6))));
    seed("dds", "rgb565", buildDds(DdsFile::rgb565(3, 2, pattern(12, 7))));

    for (uint8_t type : {2, 10})
        for (uint8_t bits : {24, 32}) {
            TgaFile t;
            t.imageType = type;
            t.bits = bits;
            t.id = "id";
            t.width = 5;
            t.height = 3;
            t.bgra = demoPicture(5, 3, 3);
            seed("tga", numbered("type" + std::to_string(type) + "-", bits), buildTga(t));
        }
}

void modelSeeds() {
    seed("dff", "vehicle", demoVehicle());
    seed("txd", "vehicle", demoVehicleTextures());
    DffBuilder box;
    const int frame = box.frame("box");
    const int geometry = box.geometry(boxGeometry({-1, -1, -1}, {1, 2, 3}, true));
    box.atomic(frame, geometry);
    seed("dff", "box", box.build());
    seed("col", "demo", demoCollision());
    ColRecordPlan v1;
    v1.name = "v1";
    v1.spheres = {{{1, 2, 3}, 4}};
    v1.boxes = {{{0, 0, 0}, {1, 1, 1}}};
    v1.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    v1.faces = {{0, 1, 2}};
    ColRecordPlan v3 = v1;
    v3.magic = "COL3";
    v3.name = "v3";
    seed("col", "v1-v3", concat({colRecord(v1), colRecord(v3)}));
    IplBuilder ipl;
    ipl.add(IplInstance{.x = 1.5f, .y = -2, .z = 3, .model = 400, .lod = 2});
    ipl.add(IplCar{.x = 10, .y = 20, .z = 30, .angle = 90});
    seed("ipl", "one-each", ipl.build());
}

void textSeeds() {
    seed("mask", "star", text("*.txd\nPLAYER.TXD"));
    seed("mask", "sets", text("[a-c]?x[!0-9]*.d?f\nbxy.dff"));
    seed("mask", "cyrillic", text("*\xc0\xc1*\n\xe0\xe1.txt"));
    seed("language", "russian",
         text("[main]\r\nLanguage=\xd0\xf3\xf1\xf1\xea\xe8\xe9\r\nLangID=1049\r\nCharSet=204\r\nAuthor=me\r\n"
              "[strings]\r\nSTR000=\xe1\xe0\xe9\xf2\r\nSTR004=%s\r\n[MainForm]\r\nFileOpen1h=Open\r\n"));
    seed("dat", "default", text(GameFolderBuilder::sampleDat()));
    for (char game : {'\0', '\1', '\2'}) seed("ide", numbered("game", game), text(game + GameFolderBuilder::sampleIde()));
    seed("carcols", "sample", text(GameFolderBuilder::sampleCarcols()));
    seed("language", "bom", text("\xef\xbb\xbf[main]\nLanguage=English\n[strings]\nSTR001=KB\n"));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUTPUT_FOLDER\n");
        return 2;
    }
    root = argv[1];
    ::mkdir(root.c_str(), 0755);
    imgSeeds();
    otherArchiveSeeds();
    textureSeeds();
    modelSeeds();
    textSeeds();
    return 0;
}
