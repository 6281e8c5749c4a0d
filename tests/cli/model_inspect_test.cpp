// inspect and export of models (.dff) and collision files (.col).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "cli/json_value.h"
#include "cli/run_cli.h"
#include "support/col_builder.h"
#include "support/dff_builder.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace cli_testing;
using namespace testing_support;
using varmelo::Vec3;

namespace {

// Root "car" moved up by 1; "door" under it, turned 90 degrees about z and moved along x by 2;
// a third atomic names a geometry that does not exist.
Bytes carModel() {
    DffBuilder b;
    const int root = b.frame({"car", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, -1});
    const int door = b.frame({"door", {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {2, 0, 0}, root});
    DffGeometryPlan box = boxGeometry({-1, -1, -1}, {1, 1, 1}, true);
    box.radius = 12.5f;
    DffGeometryPlan panel;
    panel.flags = 0x01000000 | 0x04;  // native data: listed, never drawn
    panel.vertexCount = 4;
    panel.triangleCount = 2;
    DffGeometryPlan tri;
    tri.flags = 0x04;
    tri.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    tri.texCoords = {{0, 0}, {1, 0}, {0, 0.25f}};
    tri.triangles = {dffTriangle(0, 1, 2)};
    b.geometry(box);
    b.geometry(panel);
    b.geometry(tri);
    b.atomic(root, 0).atomic(door, 2).atomic(door, 7).atomic(door, 1);
    return b.build();
}

std::vector<double> numbers(const Json& j) {
    std::vector<double> out;
    for (const Json& i : j.items) out.push_back(i.number);
    return out;
}

void expectNear(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << i;
}

ColRecordPlan firstRecord() {
    ColRecordPlan a;
    a.magic = "COL3";
    a.name = "abcdefghijklmnopqrstuv";
    a.bound = {{1, 2, 3}, 4};
    a.box = {{-1, -2, -3}, {1, 2, 3}};
    a.spheres = {{{0.5f, 0, 0}, 0.25f}};
    a.boxes = {{{0, 0, 0}, {1, 1, 1}}};
    a.vertices = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    a.faces = {{0, 3, 1}};
    return a;
}

class CliModel : public testing::Test {
protected:
    TempDir dir;
    std::string img = dir.file("m.img");
    Bytes col = [] {
        ColRecordPlan b = firstRecord();
        b.magic = "COLL";
        b.name = "old";
        b.faces.clear();
        Bytes out = colRecord(firstRecord());
        out.resize(out.size() + 16, 0);  // padding between records
        const Bytes second = colRecord(b);
        out.insert(out.end(), second.begin(), second.end());
        return out;
    }();
    void SetUp() override { ImgBuilder().add("readme.txt", "x").add("car.dff", carModel()).add("car.col", col).writeV2(img); }
};

TEST_F(CliModel, ModelAsJson) {
    const CliResult r = runCli({"inspect", "--json", img, "car.dff"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = parseJson(r.out);
    EXPECT_EQ(j["type"].string, "dff");
    EXPECT_EQ(j["vertices"].number, 8 + 4 + 3);
    EXPECT_EQ(j["triangles"].number, 12 + 2 + 1);
    EXPECT_EQ(j["radius"].number, 12.5);
    ASSERT_EQ(j["frames"].items.size(), 2u);
    EXPECT_EQ(j["frames"][1]["name"].string, "door");
    EXPECT_EQ(j["frames"][1]["parent"].number, 0);
    EXPECT_EQ(j["frames"][0]["parent"].number, -1);
    expectNear(numbers(j["frames"][1]["position"]), {2, 0, 0});
    ASSERT_EQ(j["atomics"].items.size(), 4u);
    EXPECT_EQ(j["atomics"][2]["geometry"].number, 7);
    ASSERT_EQ(j["geometries"].items.size(), 3u);
    EXPECT_EQ(j["geometries"][0]["flags"].number, 0x34);
    EXPECT_EQ(j["geometries"][1]["flags"].number, 0x04);  // the native bit lies above the low 16
    EXPECT_EQ(j["geometries"][1]["vertices"].number, 4);
    expectNear(numbers(j["geometries"][0]["sphere"]), {0, 0, 0, 12.5});

    const Json& parts = j["parts"];
    ASSERT_EQ(parts.items.size(), 4u);
    EXPECT_EQ(parts[0]["name"].string, "car");
    EXPECT_EQ(parts[0]["triangles"].number, 12);
    expectNear(numbers(parts[0]["min"]), {-1, -1, 0});
    expectNear(numbers(parts[0]["max"]), {1, 1, 2});
    // The door's triangle turned by its frame and moved by both frames.
    EXPECT_EQ(parts[1]["name"].string, "door");
    EXPECT_EQ(parts[1]["vertices"].number, 3);
    expectNear(numbers(parts[1]["min"]), {1, 0, 1});
    expectNear(numbers(parts[1]["max"]), {2, 1, 1});
    for (size_t i : {2u, 3u}) {
        EXPECT_EQ(parts[i]["triangles"].number, 0) << i;
        EXPECT_EQ(parts[i]["min"].type, Json::Null) << i;
        EXPECT_EQ(parts[i]["max"].type, Json::Null) << i;
    }
}

TEST_F(CliModel, ModelAsText) {
    const CliResult r = runCli({"inspect", img, "car.dff"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first, "model, 15 vertices, 15 triangles, radius 12.5");
    EXPECT_EQ(second, "2 frames, 3 geometries, 4 atomics");
    EXPECT_NE(r.out.find("#2\tdoor\tnothing to draw\n"), std::string::npos);
    EXPECT_NE(r.out.find("native data (not drawn)"), std::string::npos);
}

TEST_F(CliModel, CollisionAsJson) {
    const CliResult r = runCli({"inspect", "--json", img, "car.col"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = parseJson(r.out);
    EXPECT_EQ(j["type"].string, "col");
    ASSERT_EQ(j["records"].items.size(), 2u);
    const Json& a = j["records"][0];
    EXPECT_EQ(a["magic"].string, "COL3");
    EXPECT_EQ(a["name"].string, "abcdefghijklmnopqrst");
    EXPECT_EQ(a["offset"].number, 0);
    expectNear(numbers(a["sphere"]), {1, 2, 3, 4});
    expectNear(numbers(a["box"]["min"]), {-1, -2, -3});
    expectNear(numbers(a["box"]["max"]), {1, 2, 3});
    ASSERT_EQ(a["spheres"].items.size(), 1u);
    expectNear(numbers(a["spheres"][0]), {0.5, 0, 0, 0.25});
    ASSERT_EQ(a["boxes"].items.size(), 1u);
    expectNear(numbers(a["boxes"][0]["max"]), {1, 1, 1});
    EXPECT_EQ(a["faces"].number, 1);
    EXPECT_EQ(a["vertices"].number, 4);  // largest face index + 1
    const Json& b = j["records"][1];
    EXPECT_EQ(b["magic"].string, "COLL");
    EXPECT_EQ(b["offset"].number, double(colRecord(firstRecord()).size() + 16));
    EXPECT_EQ(b["faces"].number, 0);
    EXPECT_EQ(b["vertices"].number, 4);  // the stored count
}

TEST_F(CliModel, BrokenModelReportsAndFails) {
    Bytes cut = carModel();
    cut.resize(cut.size() / 2);
    writeFile(dir.file("cut.dff"), cut);
    const CliResult r = runCli({"inspect", "--json", dir.file("cut.dff")});
    EXPECT_EQ(r.status, 1);
    const Json j = parseJson(r.out);
    EXPECT_EQ(j["error"].string, "Clump at 0x0: cut short before its Atomic");
    EXPECT_EQ(j["frames"].items.size(), 2u);
    EXPECT_NE(r.err.find("Clump at 0x0: cut short before its Atomic"), std::string::npos);
    EXPECT_EQ(runCli({"export", dir.file("cut.dff"), "-o", dir.file("cut.obj")}).status, 1);
}

// A small reader of what the export writes: groups in order with their corners.
struct ObjGroup {
    std::string name;
    std::vector<std::array<Vec3, 3>> faces;
};

std::vector<ObjGroup> readObj(const std::string& text, size_t& texCoords, size_t& normals) {
    std::vector<Vec3> v;
    std::vector<ObjGroup> groups;
    std::istringstream in(text);
    std::string line;
    texCoords = normals = 0;
    while (std::getline(in, line)) {
        std::istringstream l(line);
        std::string tag;
        l >> tag;
        if (tag == "o") groups.push_back({line.substr(2), {}});
        else if (tag == "v") {
            Vec3 p;
            l >> p.x >> p.y >> p.z;
            v.push_back(p);
        } else if (tag == "vt") ++texCoords;
        else if (tag == "vn") ++normals;
        else if (tag == "f") {
            std::array<Vec3, 3> f;
            for (Vec3& corner : f) {
                std::string ref;
                l >> ref;
                const size_t i = std::stoul(ref.substr(0, ref.find('/')));
                EXPECT_TRUE(i >= 1 && i <= v.size()) << line;
                EXPECT_EQ(ref, std::to_string(i) + "/" + std::to_string(i) + "/" + std::to_string(i));
                corner = v.at(i - 1);
            }
            EXPECT_FALSE(groups.empty());
            groups.back().faces.push_back(f);
        }
    }
    return groups;
}

TEST_F(CliModel, ExportWritesOneGroupPerRowPlacedAsShown) {
    const std::string out = dir.file("car.obj");
    const CliResult r = runCli({"export", img, "car.dff", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    const Bytes bytes = readFile(out);
    size_t texCoords = 0, normals = 0;
    const auto groups = readObj(std::string(bytes.begin(), bytes.end()), texCoords, normals);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].name, "car");
    EXPECT_EQ(groups[1].name, "door");
    EXPECT_EQ(groups[2].name, "door");
    EXPECT_EQ(groups[0].faces.size(), 12u);
    EXPECT_EQ(groups[2].faces.size(), 0u);
    EXPECT_EQ(texCoords, 39u);
    EXPECT_EQ(normals, 39u);
    ASSERT_EQ(groups[1].faces.size(), 1u);
    const auto& door = groups[1].faces[0];
    EXPECT_NEAR(door[1].x, 2, 1e-5);  // (1, 0, 0) turned to (0, 1, 0), moved by (2, 0, 1)
    EXPECT_NEAR(door[1].y, 1, 1e-5);
    EXPECT_NEAR(door[1].z, 1, 1e-5);
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("\nvt 0 0.75\n"), std::string::npos);
    EXPECT_EQ(runCli({"export", img, "car.dff", "--all", "-o", dir.file("x")}).status, 1);
    EXPECT_EQ(runCli({"export", img, "car.col", "-o", dir.file("c.obj")}).status, 1);
}

}  // namespace
