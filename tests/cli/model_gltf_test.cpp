// export of models as glTF: where the textures come from, and what the file holds.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cli/json_value.h"
#include "cli/run_cli.h"
#include "core/io/endian.h"
#include "support/demo_vehicle.h"
#include "support/game_folder_builder.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/textured_model.h"
#include "support/txd_builder.h"

using namespace cli_testing;
using namespace testing_support;

namespace {

// The JSON part of a .glb, or the whole of a .gltf.
Json gltfJson(const Bytes& file) {
    if (file.size() >= 20 && std::string(file.begin(), file.begin() + 4) == "glTF") {
        const uint32_t length = varmelo::u32le(&file[12]);
        EXPECT_LE(20 + size_t(length), file.size());
        return parseJson(std::string(file.begin() + 20, file.begin() + 20 + length));
    }
    return parseJson(std::string(file.begin(), file.end()));
}

}  // namespace

TEST(CliGltf, TexturesComeFromTheDictionaryNamedLikeTheModelOrTheOneGiven) {
    TempDir dir;
    const std::string img = dir.file("cars.img");
    const Bytes other = TxdBuilder().add(TxdTexture::d3d9("x", varmelo::TexFormat::B8888, 1, 1, {1, 2, 3, 4})).build();
    ImgBuilder().add("car.dff", texturedModel()).add("CAR.TXD", texturedModelDictionary()).add("other.txd", other).writeV2(img);
    std::filesystem::create_directories(dir.file("loose"));
    std::filesystem::create_directories(dir.file("lone"));
    writeFile(dir.file("loose/car.dff"), texturedModel());
    writeFile(dir.file("loose/Car.Txd"), texturedModelDictionary());
    writeFile(dir.file("lone/car.dff"), texturedModel());

    struct Row {
        std::vector<std::string> args;  // before -o OUT
        std::string out;
        int status;
        int images;           // -1: no file expected
        std::string message;  // a part of stderr, "" for none at all
    };
    const std::string missing = "varmelo-cli: textures not in the dictionary: missing\n";
    const Row rows[] = {
        {{img, "car.dff"}, "a.glb", 0, 3, missing},
        {{img, "#0"}, "b.gltf", 0, 3, missing},
        {{img, "car.dff", "--txd", "other.txd"}, "c.glb", 0, 0, "not in the dictionary: body, Glass, grille, missing"},
        {{img, "car.dff", "--txd", dir.file("loose/Car.Txd")}, "d.GLB", 0, 3, missing},
        {{dir.file("loose/car.dff")}, "e.glb", 0, 3, missing},
        {{dir.file("lone/car.dff")}, "f.glb", 0, 0, "no texture dictionary named like car.dff: exported without textures"},
        {{dir.file("lone/car.dff"), "--txd", img}, "g.glb", 0, 0, "not in the dictionary: body, Glass"},
        {{img, "car.dff", "--txd", "nothing.txd"}, "h.glb", 1, -1, "nothing.txd: neither an entry of the archive nor a file"},
        {{dir.file("lone/car.dff"), "--txd", dir.file("none.txd")}, "i.glb", 1, -1, "none.txd: File not found"},
        {{img, "car.dff", "--txd", "car.txd"}, "j.obj", 2, -1, "--txd needs glTF output"},
        {{img, "CAR.TXD", "--txd", "car.txd"}, "k.png", 2, -1, "--txd is for models"},
    };
    for (const Row& r : rows) {
        std::vector<std::string> args{"export"};
        args.insert(args.end(), r.args.begin(), r.args.end());
        args.push_back("-o");
        args.push_back(dir.file(r.out));
        const CliResult result = runCli(args);
        SCOPED_TRACE(r.out + ": " + result.err);
        EXPECT_EQ(result.status, r.status);
        EXPECT_EQ(result.out, "");
        if (r.message.empty()) {
            EXPECT_EQ(result.err, "");
        } else {
            EXPECT_NE(result.err.find(r.message), std::string::npos);
        }
        if (r.images < 0) {
            EXPECT_FALSE(std::filesystem::exists(dir.file(r.out)));
            continue;
        }
        const Bytes file = readFile(dir.file(r.out));
        const bool binary = r.out.find(".gltf") == std::string::npos;
        ASSERT_GT(file.size(), 4u);
        EXPECT_EQ(std::string(file.begin(), file.begin() + 4) == "glTF", binary);
        const Json j = gltfJson(file);
        EXPECT_EQ(j["asset"]["version"].string, "2.0");
        EXPECT_EQ(j["nodes"].items.size(), 5u);
        EXPECT_EQ(j["meshes"].items.size(), 2u);
        EXPECT_EQ(j.fields.count("images") ? j["images"].items.size() : 0u, size_t(r.images));
        // A .gltf carries its buffer inside: nothing is written beside it.
        if (!binary) {
            EXPECT_EQ(j["buffers"][0]["uri"].string.rfind("data:application/octet-stream;base64,", 0), 0u);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.bin")));
}

// The Khronos glTF validator, where one is installed: VARMELO_GLTF_VALIDATOR names the folder
// whose node_modules holds gltf-validator (npm install gltf-validator). Skipped elsewhere.
TEST(CliGltf, KhronosValidatorFindsNoErrorsOrWarnings) {
    const char* where = std::getenv("VARMELO_GLTF_VALIDATOR");
    if (!where || !std::filesystem::exists(std::filesystem::path(where) / "node_modules/gltf-validator"))
        GTEST_SKIP() << "no glTF validator (set VARMELO_GLTF_VALIDATOR)";
    TempDir dir;
    const std::string img = dir.file("cars.img");
    ImgBuilder().add("car.dff", texturedModel()).add("car.txd", texturedModelDictionary()).writeV2(img);
    writeFile(dir.file("validate.js"),
              "const v = require('gltf-validator'); const fs = require('fs');\n"
              "v.validateBytes(new Uint8Array(fs.readFileSync(process.argv[2])))\n"
              "  .then(r => console.log(r.issues.numErrors + ' ' + r.issues.numWarnings));\n");
    for (const char* name : {"car.glb", "car.gltf"}) {
        ASSERT_EQ(runCli({"export", img, "car.dff", "-o", dir.file(name)}).status, 0);
        const std::string command = "cd '" + std::string(where) + "' && NODE_PATH=node_modules node '" +
                                    dir.file("validate.js") + "' '" + dir.file(name) + "'";
        FILE* p = popen(command.c_str(), "r");
        ASSERT_NE(p, nullptr);
        char line[64] = {};
        const bool read = std::fgets(line, sizeof line, p) != nullptr;
        pclose(p);
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(std::string(line), "0 0\n") << name << ": errors, warnings";
    }
}

// In a game folder the export writes what the game view shows: every wheel, no damaged or
// far-away part; --all-parts the file's own parts.
TEST(CliGltf, InAGameFolderTheModelIsWrittenAsShown) {
    TempDir dir;
    GameFolderBuilder game = GameFolderBuilder::sanAndreasCar();
    game.img("Models/Demo.img", ImgBuilder().add("demo.dff", demoVehicle()));
    game.write(dir.path());
    const auto meshNodes = [&](const std::vector<std::string>& extra) {
        std::vector<std::string> args{"export", dir.path() + "/Models/Demo.img", "demo.dff", "-o", dir.file("out.glb")};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::string> names;
        const Json gltf = gltfJson(readFile(dir.file("out.glb")));
        for (const Json& node : gltf["nodes"].items)
            if (node.fields.count("mesh")) names.push_back(node["name"].string);
        return names;
    };
    EXPECT_EQ(meshNodes({}), (std::vector<std::string>{"chassis", "bonnet_hi_ok", "wheel", "wheel", "wheel", "wheel"}));
    EXPECT_EQ(meshNodes({"--all-parts"}).size(), 5u);
}
