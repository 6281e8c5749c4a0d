#include "support/game_folder_builder.h"

#include <sys/stat.h>

#include <algorithm>

#include "support/dff_builder.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

namespace testing_support {

namespace {

void makeFoldersFor(const std::string& root, const std::string& path) {
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir((root + "/" + path.substr(0, slash)).c_str(), 0755);
}

}  // namespace

GameFolderBuilder& GameFolderBuilder::text(const std::string& path, const std::string& content) {
    files_.push_back({path, content, false, "", {}});
    return *this;
}

GameFolderBuilder& GameFolderBuilder::img(const std::string& path, const ImgBuilder& archive) {
    files_.push_back({path, "", true, "", archive});
    return *this;
}

GameFolderBuilder& GameFolderBuilder::imgV1(const std::string& path, const std::string& dirPath,
                                            const ImgBuilder& archive) {
    files_.push_back({path, "", true, dirPath, archive});
    return *this;
}

void GameFolderBuilder::write(const std::string& folder) const {
    for (const File& f : files_) {
        makeFoldersFor(folder, f.path);
        if (!f.archive) writeFile(folder + "/" + f.path, f.content);
        else if (f.dirPath.empty()) f.img.writeV2(folder + "/" + f.path);
        else f.img.writeV1(folder + "/" + f.path, folder + "/" + f.dirPath);
    }
}

std::string GameFolderBuilder::sampleDat() {
    return "# the files every game loads\r\n"
           "IDE DATA\\DEFAULT.IDE\r\n"
           "IDE data\\Vehicles.ide\r\n"
           "TEXDICTION MODELS\\GENERIC\\VEHICLE.TXD\r\n"
           "MODELFILE MODELS\\GENERIC\\WHEELS.DFF\r\n"
           "SPLASH loadsc0\r\n"
           "\r\n"
           "COLFILE zero MODELS\\COLL\\WEAPONS.COL\r\n";
}

std::string GameFolderBuilder::sampleIde() {
    return "cars\n"
           "400, landstal, landstal, car, LANDSTAL, LANDSTK, null, normal, 10, 0, 0, 250, 0.7, 0.8, -1\n"
           "522\tnrg500\tnrg500\tbike\tNRG500\tNRG500\tbikes\tmotorbike\t10\t0\t0\t30\t0.6\n"
           "not a record\n"
           "end\n"
           "txdp\n"
           "landstal, vehgen\n"
           "vehgen, landstal  # a loop\n"
           "end\n"
           "path\n"
           "1, 2, 3\n"
           "end\n";
}

std::string GameFolderBuilder::sampleCarcols() {
    return "col\n"
           "0,0,0\t\t# 0 black \xd7\xe5\xf0\xed\xfb\xe9\n"
           "245, 245, 245 # 1 white\n"
           "42,119,161\n"
           "300,0,0\n"
           "end\n"
           "car\n"
           "landstal, 1,0, 2,1\n"
           "end\n"
           "car4\n"
           "landstal, 0,1,2,1, 2,2,1,0\n"
           "end\n";
}

GameFolderBuilder GameFolderBuilder::sanAndreas() {
    GameFolderBuilder b;
    ImgBuilder gta3, interior, cutscene;
    gta3.add("landstal.dff", "d").add("landstal.txd", "t").add("vehgen.txd", "t");
    interior.add("int.dff", "i");
    cutscene.add("cs.dff", "c").add("cs.txd", "c");
    b.text("Data/Default.dat", sampleDat())
        .text("Data/gta.DAT",
              "IMG MODELS\\CUTSCENE.IMG\n"
              "COLFILE 0 MODELS\\COLL\\GENERIC.COL\n"
              "IDE DATA\\MAPS\\LA\\LAE.IDE\n"
              "ide data\\maps\\missing.ide\n"
              "IDE DATA/DEFAULT.IDE\n"
              "IPL DATA\\MAPS\\LA\\LAE.IPL\n")
        .text("Data/default.IDE",
              "objs\n1000, spoiler, generic, 100, 0\nbad, line\nend\n"
              "weap\n346, colt45, colt45, colt45, 1, 30, 0\nend\n")
        .text("Data/VEHICLES.IDE", sampleIde())
        .text("Data/Maps/la/Lae.ide", "OBJS\n4000, lae_a, lae, 299, 0\n4001 lae_b lae 299 0\nEND\ntobj\n"
                                       "4002, lae_c, lae, 299, 4, 20, 6\nend\n")
        .text("Data/carcols.DAT", sampleCarcols())
        .img("Models/GTA3.IMG", gta3)
        .img("Models/gta_int.img", interior)
        .imgV1("Models/Cutscene.img", "Models/CUTSCENE.DIR", cutscene);
    return b;
}

std::vector<uint8_t> GameFolderBuilder::model(const std::vector<std::array<uint8_t, 4>>& colours,
                                              const std::vector<std::string>& textures) {
    const size_t count = std::max(colours.size(), textures.size());
    std::array<uint16_t, 6> faces{};
    for (size_t i = 0; i < faces.size(); ++i) faces[i] = uint16_t(i % count);
    DffGeometryPlan g = texturedBoxGeometry({-1, -1, -1}, {1, 1, 1}, faces);
    for (size_t i = 0; i < count; ++i)
        g.materials.push_back({colours[i % colours.size()], i < textures.size() ? textures[i] : "", "", -1, false, "", 0, false});
    DffBuilder b;
    b.atomic(b.frame("body"), b.geometry(g));
    return b.build();
}

std::vector<uint8_t> GameFolderBuilder::dictionary(const std::vector<std::string>& names) {
    TxdBuilder b;
    for (const std::string& n : names) b.add(TxdTexture::d3d9(n, varmelo::TexFormat::B8888, 1, 1, {10, 20, 30, 255}));
    return b.build();
}

GameFolderBuilder GameFolderBuilder::sanAndreasCar() {
    ImgBuilder cars, gta3;
    cars.add("infernus.dff", model({{60, 255, 0, 255}, {255, 0, 175, 200}, {0, 255, 255, 255}, {255, 0, 255, 255},
                                    {255, 175, 0, 255}, {0, 255, 200, 255}, {185, 255, 0, 255}, {255, 60, 0, 9}},
                                   {"infernus92wheel32", "VehicleGeneric256", "shared", "nosuch"}))
        .add("prop.dff", model({{1, 2, 3, 255}}, {"a", "b", "c", "nosuch"}));
    gta3.add("INFERNUS.TXD", dictionary({"infernus92wheel32", "Shared"}))
        .add("propa.txd", dictionary({"a"}))
        .add("propb.txd", dictionary({"b", "A"}));
    GameFolderBuilder b;
    b.text("Data/gta.dat", "IDE DATA\\VEHICLES.IDE\nIDE DATA\\PROPS.IDE\nIMG MODELS\\CARS.IMG\nTEXDICTION MODELS\\PROPC.TXD\n")
        .text("Data/Vehicles.ide", "cars\n411, infernus, infernus, car, INFERNUS, INFERNUS, null, executive, 10, 0, 0, "
                                   "-1, 0.7, 0.75, -1\nend\ntxdp\npropa, propb\npropb, propc\npropc, propa\nend\n")
        .text("Data/Props.IDE", "objs\n1000, Prop, PropA, 100, 0\nend\n")
        .text("Data/carcols.dat", "col\n0,0,0\n245,245,245\n42,119,161\n132,4,16\nend\ncar\ninfernus, 1,2\nend\n"
                                  "car4\ninfernus, 3,2,1,0, 0,0,0,0\nend\n")
        .img("Models/gta3.img", gta3)
        .img("Models/Cars.img", cars);
    const auto text = [](const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); };
    b.text("Models/PROPC.TXD", text(dictionary({"c"})))
        .text("Models/Generic/VEHICLE.TXD", text(dictionary({"vehiclegeneric256", "shared"})));
    return b;
}

}  // namespace testing_support
