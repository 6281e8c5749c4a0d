// Materials and prelit colours of DFF geometries, and triangles grouped by material.
#include <gtest/gtest.h>

#include <tuple>

#include "core/io/endian.h"
#include "core/model/dff_parts.h"
#include "core/model/dff_reader.h"
#include "core/view/model_textures.h"
#include "support/dff_builder.h"
#include "support/txd_builder.h"
#include "support/read_model.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bytes = std::vector<uint8_t>;

DffMaterialPlan material(std::array<uint8_t, 4> colour, std::string texture = "", std::string mask = "") {
    DffMaterialPlan m;
    m.colour = colour;
    m.texture = std::move(texture);
    m.mask = std::move(mask);
    return m;
}

DffMaterialPlan repeatOf(int32_t earlier) {
    DffMaterialPlan m;
    m.repeats = earlier;
    return m;
}

// Two geometries, so that damage in the first one's materials shows whether the second is read.
Bytes twoBoxes(std::vector<DffMaterialPlan> materials) {
    DffBuilder b;
    DffGeometryPlan box = boxGeometry({0, 0, 0}, {1, 1, 1}, true);
    box.materials = std::move(materials);
    const int f = b.frame("body");
    b.atomic(f, b.geometry(box));
    b.atomic(f, b.geometry(boxGeometry({0, 0, 0}, {2, 2, 2}, false)));
    return b.build();
}

// Where the `nth` chunk header of that type (with the builder's version stamp) starts.
size_t chunkAt(const Bytes& bytes, uint8_t type, int nth) {
    for (size_t i = 0; i + 12 <= bytes.size(); ++i)
        if (u32le(&bytes[i]) == type && u32le(&bytes[i + 8]) == 0x1803FFFF && nth-- == 0) return i;
    return bytes.size();
}

}  // namespace

TEST(DffMaterials, ListsOwnRepeatedUntexturedAndShortMaterials) {
    DffMaterialPlan old = material({10, 20, 30, 40}, "oldtex");
    old.shortStruct = true;
    const std::vector<DffMaterialPlan> plans{
        material({255, 0, 0, 255}, "body", "bodym"),  // 0
        material({0, 255, 0, 128}),                   // 1, untextured
        repeatOf(0),                                  // 2 repeats 0
        old,                                          // 3, 16-byte Struct
        repeatOf(3),                                  // 4 repeats 3
        material({1, 2, 3, 4}, "abcd"),               // 5, name of exactly four bytes
    };
    const DffClump c = readClump(twoBoxes(plans));
    ASSERT_EQ(c.error, "");
    ASSERT_EQ(c.geometries.size(), 2u);
    const auto& m = c.geometries[0].materials;
    ASSERT_EQ(m.size(), 6u);
    const DffMaterial want[] = {
        {{255, 0, 0, 255}, true, "body", "bodym", "", 0}, {{0, 255, 0, 128}, false, "", "", "", 0},
        {{255, 0, 0, 255}, true, "body", "bodym", "", 0}, {{10, 20, 30, 40}, true, "oldtex", "", "", 0},
        {{10, 20, 30, 40}, true, "oldtex", "", "", 0},    {{1, 2, 3, 4}, true, "abcd", "", "", 0},
    };
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(m[i], want[i]) << "material " << i;
    // The second geometry has the builder's one plain silver material.
    ASSERT_EQ(c.geometries[1].materials.size(), 1u);
    EXPECT_EQ(c.geometries[1].materials[0], (DffMaterial{{192, 192, 192, 255}, false, "", "", "", 0}));
}

TEST(DffMaterials, TheEnvironmentMapOfTheMaterialEffectsIsRead) {
    DffMaterialPlan plain = material({1, 2, 3, 4}, "body"), bumped = material({5, 6, 7, 8});
    plain.envTexture = "vehicleenvmap128";
    plain.envCoefficient = 0.25f;
    bumped.envTexture = "xvehicleenv128";
    bumped.envCoefficient = 2.0f;
    bumped.bumpFirst = true;
    const DffClump c = readClump(twoBoxes({plain, bumped, material({9, 9, 9, 9}, "none")}));
    ASSERT_EQ(c.geometries.at(0).materials.size(), 3u);
    const auto& m = c.geometries[0].materials;
    EXPECT_EQ(m[0], (DffMaterial{{1, 2, 3, 4}, true, "body", "", "vehicleenvmap128", 0.25f}));
    EXPECT_EQ(m[1], (DffMaterial{{5, 6, 7, 8}, false, "", "", "xvehicleenv128", 2.0f}));
    EXPECT_EQ(m[2].envTexture, "");
}

TEST(DffMaterials, DamagedListsKeepWhatCameBeforeAndTheGeometryIsReadOn) {
    struct Case {
        const char* what;
        std::vector<DffMaterialPlan> plans;
        size_t materialsKept;
    };
    const Case cases[] = {
        {"repeats a later entry", {material({1, 1, 1, 1}, "a"), repeatOf(2), material({2, 2, 2, 2})}, 1},
        {"repeats itself", {repeatOf(0)}, 0},
        {"repeats a huge index", {material({1, 1, 1, 1}), repeatOf(0x7FFFFFFF)}, 1},
    };
    for (const Case& k : cases) {
        const DffClump c = readClump(twoBoxes(k.plans));
        EXPECT_EQ(c.error, "") << k.what;
        ASSERT_EQ(c.geometries.size(), 2u) << k.what;
        EXPECT_EQ(c.geometries[0].materials.size(), k.materialsKept) << k.what;
        EXPECT_EQ(c.geometries[0].positions.size(), 8u) << k.what;
        EXPECT_EQ(c.geometries[1].materials.size(), 1u) << k.what;
    }

    // A count the Struct cannot hold, and a second material whose Struct is too short.
    const Bytes bytes = twoBoxes({material({1, 1, 1, 1}, "tex"), material({2, 2, 2, 2}, "other")});
    Bytes hugeCount = bytes;
    const size_t list = chunkAt(hugeCount, 0x08, 0);
    ASSERT_LT(list, hugeCount.size());
    // List header (12), Struct header (12), then the count.
    hugeCount[list + 24] = 0xFF, hugeCount[list + 25] = 0xFF, hugeCount[list + 26] = 0xFF;
    Bytes shortStruct = bytes;
    const size_t second = chunkAt(shortStruct, 0x07, 1);
    ASSERT_LT(second, shortStruct.size());
    shortStruct[second + 16] = 8;  // the Material's Struct: 8 bytes
    for (const auto& [what, damaged, kept] : {std::tuple{"huge count", hugeCount, size_t(0)}, std::tuple{"short Struct", shortStruct, size_t(1)}}) {
        const DffClump c = readClump(damaged);
        ASSERT_EQ(c.geometries.size(), 2u) << what;
        EXPECT_EQ(c.geometries[0].materials.size(), kept) << what;
        if (kept) {
            EXPECT_EQ(c.geometries[0].materials[0].texture, "tex") << what;
        }
        EXPECT_EQ(c.geometries[1].materials.size(), 1u) << what;
    }
}

TEST(DffMaterials, TrianglesAreGroupedByTheMaterialTheyName) {
    DffGeometryPlan g;
    g.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    g.triangles = {dffTriangle(0, 1, 2, 1), dffTriangle(1, 3, 2, 0), dffTriangle(0, 1, 3, 1),
                   dffTriangle(0, 1, 2, 9),  // names no listed material
                   dffTriangle(0, 1, 7, 0)}; // a corner outside the vertices: never drawn
    g.materials = {material({1, 1, 1, 1}), material({2, 2, 2, 2}, "t")};
    DffBuilder b;
    b.atomic(b.frame("x"), b.geometry(g));
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.geometries.size(), 1u);
    const auto groups = trianglesByMaterial(c.geometries[0]);
    EXPECT_EQ(groups, (std::vector<std::vector<uint32_t>>{{1}, {0, 2}, {3}}));
}

// Day colours in the geometry's Struct, night colours in its Extension; a night list shorter
// than the vertex list is left out, and the geometry stays whole.
TEST(DffMaterials, PrelitAndNightColoursArePerVertex) {
    DffGeometryPlan g = boxGeometry({0, 0, 0}, {1, 1, 1}, false);
    g.flags |= kGeometryColours;
    for (uint8_t i = 0; i < 8; ++i) {
        g.colours.push_back({i, uint8_t(i * 2), uint8_t(i * 3), 255});
        g.nightColours.push_back({uint8_t(100 + i), 0, 0, 255});
    }
    DffGeometryPlan shortNight = g;
    shortNight.nightColours.resize(7);
    DffBuilder b;
    b.atomic(b.frame("x"), b.geometry(g));
    b.atomic(b.frame("y"), b.geometry(shortNight));
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    ASSERT_EQ(c.geometries[0].colours.size(), 8u);
    EXPECT_EQ(c.geometries[0].colours[5], (std::array<uint8_t, 4>{5, 10, 15, 255}));
    EXPECT_EQ(c.geometries[0].texCoords.size(), 8u);  // the colours came before them
    EXPECT_EQ(c.geometries[0].positions.size(), 8u);
    ASSERT_EQ(c.geometries[0].nightColours.size(), 8u);
    EXPECT_EQ(c.geometries[0].nightColours[7], (std::array<uint8_t, 4>{107, 0, 0, 255}));
    EXPECT_TRUE(c.geometries[1].nightColours.empty());
    EXPECT_EQ(c.geometries[1].colours.size(), 8u);
}

TEST(ModelTextures, NamedTexturesAreDecodedFromTheDictionaryIgnoringCase) {
    DffGeometryPlan g = boxGeometry({0, 0, 0}, {1, 1, 1}, false);
    g.materials = {material({255, 255, 255, 255}, "Body"), material({1, 1, 1, 1}, "lights"),
                   material({2, 2, 2, 2}), material({3, 3, 3, 3}, "BODY"), material({4, 4, 4, 4}, "broken")};
    DffBuilder b;
    b.atomic(b.frame("x"), b.geometry(g));
    const DffClump clump = readClump(b.build());
    EXPECT_EQ(materialTextureNames(clump), (std::vector<std::string>{"Body", "lights", "broken"}));

    // 2 x 1 texels: blue, green, red, alpha.
    const Bytes red{0, 0, 255, 255, 0, 0, 128, 255};
    TxdTexture broken = TxdTexture::d3d9("broken", TexFormat::B8888, 64, 64, {1, 2, 3});
    const Bytes txd = TxdBuilder().add(TxdTexture::d3d9("other", TexFormat::B8888, 2, 1, red))
                          .add(TxdTexture::d3d9("bOdY", TexFormat::B8888, 2, 1, red))
                          .add(broken)
                          .build();
    EntryReader dictionary{txd};
    const ModelTextures t = LoadModelTextures(clump, dictionary);
    ASSERT_EQ(t.found.size(), 1u);
    EXPECT_EQ(t.found[0].name, "Body");
    EXPECT_EQ(t.found[0].image.bgra, red);
    EXPECT_NE(t.find("body"), nullptr);
    EXPECT_EQ(t.find("lights"), nullptr);
    EXPECT_EQ(t.missing, (std::vector<std::string>{"lights", "broken"}));

    EntryReader notADictionary{Bytes(40, 0xAB)};
    EXPECT_EQ(LoadModelTextures(clump, notADictionary).missing.size(), 3u);
    EXPECT_EQ(NoModelTextures(clump).missing.size(), 3u);
}

TEST(ModelTextures, TheDictionaryOfTheModelsNameIsFoundIgnoringCase) {
    const std::vector<std::string> names{"infernus.dff", "infernus.col", "cheetah.txd", "INFERNUS.TXD", "infernus.txd", "infernus"};
    EXPECT_EQ(sameNamedDictionary(names, "infernus.dff"), std::optional<size_t>(3));
    EXPECT_EQ(sameNamedDictionary(names, "Cheetah.DFF"), std::optional<size_t>(2));
    EXPECT_EQ(sameNamedDictionary(names, "banshee.dff"), std::nullopt);
    EXPECT_EQ(sameNamedDictionary({"a.b.txd"}, "a.b.dff"), std::optional<size_t>(0));
    EXPECT_EQ(sameNamedDictionary({"a.txd"}, "a.b.dff"), std::nullopt);
}
