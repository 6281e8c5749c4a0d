// The game look's rules: the stored wheel copied onto every wheel dummy (mirrored on the far
// side), the damaged and far-away parts hidden, the lists the view draws (split by material
// for the game look), and the
// dictionaries of an archive.
#include <gtest/gtest.h>

#include <cmath>

#include "core/model/dff_reader.h"
#include "core/view/clump_as_shown.h"
#include "core/view/game_view_rules.h"
#include "core/view/model_textures.h"
#include "core/view/part_mesh.h"
#include "support/demo_vehicle.h"
#include "support/dff_builder.h"
#include "support/read_model.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bytes = std::vector<uint8_t>;

bool near(Vec3 a, Vec3 b) { return length(a - b) < 1e-4f; }

// A vehicle with the given wheel dummies (x = -1 for "l", +1 for "r"; y from the name's
// f/m/b) under a chassis dummy at z = 1, and the wheel frame under `storedUnder` (a dummy
// name, or "" for the chassis dummy itself), offset by (0.1, 0, 0) from it.
struct Rig {
    DffClump clump;
    DffPart wheel;
    std::vector<int> dummyFrames;  // in the order named
};

Vec3 dummyPosition(const std::string& name) {
    const float x = name[6] == 'l' ? -1.0f : 1.0f;
    const float y = name[7] == 'f' ? 2.0f : name[7] == 'm' ? 0.0f : -2.0f;
    return {x, y, 0.0f};
}

Rig vehicle(const std::vector<std::string>& dummies, const std::string& storedUnder) {
    DffBuilder b;
    const int root = b.frame("car");
    const int chassis = b.frame({"chassis_dummy", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, root});
    Rig rig;
    int parent = chassis;
    for (const std::string& name : dummies) {
        const int f = b.frame({name, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, dummyPosition(name), chassis});
        rig.dummyFrames.push_back(f);
        if (name == storedUnder) parent = f;
    }
    const int wheel = b.frame({"Wheel", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.1f, 0, 0}, parent});
    b.atomic(wheel, b.geometry(boxGeometry({0, -0.3f, -0.3f}, {0.2f, 0.3f, 0.3f}, false)));
    rig.clump = readClump(b.build());
    rig.wheel = dffParts(rig.clump).at(0);
    return rig;
}

}  // namespace

TEST(WheelClones, EveryOtherDummyGetsACopyTurnedOnTheFarSide) {
    struct Row {
        const char* what;
        std::vector<std::string> dummies;
        std::string storedUnder;
        // Per dummy, in the order named: -1 no copy (the stored wheel's own), 0 plain, 1 turned.
        std::vector<int> expected;
    };
    const std::vector<Row> rows{
        {"four wheels, stored right front",
         {"wheel_lf_dummy", "wheel_rf_dummy", "wheel_lb_dummy", "wheel_rb_dummy"}, "wheel_rf_dummy", {1, -1, 1, 0}},
        {"four wheels, stored left front",
         {"wheel_lf_dummy", "wheel_rf_dummy", "wheel_lb_dummy", "wheel_rb_dummy"}, "wheel_lf_dummy", {-1, 1, 0, 1}},
        {"six wheels",
         {"wheel_lf_dummy", "wheel_rf_dummy", "wheel_lm_dummy", "wheel_rm_dummy", "wheel_lb_dummy", "wheel_rb_dummy"},
         "wheel_rf_dummy", {1, -1, 1, 0, 1, 0}},
        {"dummies missing", {"wheel_rf_dummy", "wheel_lb_dummy"}, "wheel_rf_dummy", {-1, 1}},
        {"names in capitals", {"WHEEL_LF_DUMMY", "Wheel_RF_Dummy"}, "Wheel_RF_Dummy", {1, -1}},
        // Under no dummy the wheel's own place says its side: x = 0.1 is the right.
        {"stored under the chassis", {"wheel_lf_dummy", "wheel_rf_dummy"}, "", {1, 0}},
        {"no dummies at all", {}, "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Rig rig = vehicle(row.dummies, row.storedUnder);
        ASSERT_TRUE(isWheelPart(rig.clump, rig.wheel));
        std::vector<PartPlacement> expected;
        for (size_t i = 0; i < row.expected.size(); ++i)
            if (row.expected[i] >= 0) expected.push_back({rig.dummyFrames[i], row.expected[i] == 1});
        EXPECT_EQ(wheelClones(rig.clump, rig.wheel), expected);
    }
}

TEST(WheelClones, ACopyIsPlacedByItsDummysChainAndTurnedAboutZ) {
    const Rig rig = vehicle({"wheel_lf_dummy", "wheel_rf_dummy", "wheel_rb_dummy"}, "wheel_rf_dummy");
    const auto clones = wheelClones(rig.clump, rig.wheel);
    ASSERT_EQ(clones.size(), 2u);
    const auto at = [&](PartPlacement p) { return placementMatrix(rig.clump, p); };
    // The stored wheel stays where its own chain puts it: dummy + its offset + chassis.
    EXPECT_TRUE(near(at({rig.wheel.frame, false}).transformPoint({0.2f, 0.3f, 0}), {1.3f, 2.3f, 1}));
    // The left front copy: on the dummy itself, turned, so its outer face (+x) looks to -x.
    EXPECT_TRUE(clones[0].turned);
    EXPECT_TRUE(near(at(clones[0]).transformPoint({0.2f, 0.3f, 0}), {-1.2f, 1.7f, 1}));
    EXPECT_TRUE(near(at(clones[0]).transformDirection({1, 0, 0}), {-1, 0, 0}));
    EXPECT_TRUE(near(at(clones[0]).transformDirection({0, 0, 1}), {0, 0, 1}));
    // The right back copy keeps the stored wheel's way round.
    EXPECT_FALSE(clones[1].turned);
    EXPECT_TRUE(near(at(clones[1]).transformPoint({0.2f, 0.3f, 0}), {1.2f, -1.7f, 1}));
}

TEST(WheelSizes, EveryWheelIsScaledToItsAxlesHeight) {
    // The stored wheel is 0.6 high; it hangs from the right front dummy.
    const Rig rig = vehicle({"wheel_lf_dummy", "wheel_rf_dummy", "wheel_lb_dummy", "wheel_rb_dummy"}, "wheel_rf_dummy");
    struct Row {
        WheelSizes sizes;
        float front, rear;  // the scales expected
    };
    const std::vector<Row> rows{
        {{0.9f, 0.6f}, 1.5f, 1.0f},
        {{0.3f, std::nullopt}, 0.5f, 1.0f},
        {{}, 1.0f, 1.0f},
        {{0.0f, -1.0f}, 1.0f, 1.0f},     // no size a wheel could have
        {{1000.0f, NAN}, 1.0f, 1.0f},
    };
    for (const Row& row : rows) {
        const auto placements = gameViewPlacements(rig.clump, rig.wheel, row.sizes);
        // The stored wheel first (right front), then the copies: left front, left back, right back.
        ASSERT_EQ(placements.size(), 4u);
        const std::vector<PartPlacement> expected{{rig.wheel.frame, false, row.front},
                                                  {rig.dummyFrames[0], true, row.front},
                                                  {rig.dummyFrames[2], true, row.rear},
                                                  {rig.dummyFrames[3], false, row.rear}};
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(placements[i].frame, expected[i].frame) << i;
            EXPECT_EQ(placements[i].turned, expected[i].turned) << i;
            EXPECT_NEAR(placements[i].scale, expected[i].scale, 1e-5f) << i;
        }
    }
    // Scaled about the wheel's own centre, after the half turn.
    const Mat4 m = placementMatrix(rig.clump, {rig.dummyFrames[0], true, 2.0f});
    EXPECT_TRUE(near(m.transformPoint({0.1f, 0.2f, 0.3f}), {-1.2f, 1.6f, 1.6f}));
}

TEST(GameViewRules, OneExtraIsShownAndTheDamagedPartsAreNot) {
    const std::vector<std::string> captions{"chassis", "extra2", "EXTRA1", "bonnet_dam", "extra7", "extra", "extra3"};
    std::vector<DffPart> parts;
    for (const std::string& c : captions) parts.push_back({c, 0, 0});
    struct Row {
        std::optional<size_t> picked;
        std::vector<bool> shown;
    };
    const std::vector<Row> rows{
        {std::nullopt, {true, true, false, false, true, true, false}},  // the first extra row
        {6, {true, false, false, false, true, true, true}},
        {2, {true, false, true, false, true, true, false}},
        {0, {true, true, false, false, true, true, false}},  // not an extra: the first again
        {99, {true, true, false, false, true, true, false}},
    };
    for (const Row& row : rows) EXPECT_EQ(gameViewRowsShown(parts, row.picked), row.shown);
    EXPECT_EQ(gameViewRowsShown({}, std::nullopt), std::vector<bool>{});
}

TEST(ClumpAsShown, EachPlacementBecomesAnAtomicAndHiddenRowsGo) {
    Rig rig = vehicle({"wheel_lf_dummy", "wheel_rf_dummy", "wheel_rb_dummy"}, "wheel_rf_dummy");
    const WheelSizes sizes{1.2f, 0.6f};
    const DffClump shown = clumpAsShown(rig.clump, {true}, sizes);
    const auto placements = gameViewPlacements(rig.clump, rig.wheel, sizes);
    ASSERT_EQ(shown.atomics.size(), placements.size());
    EXPECT_EQ(shown.atomicCount, placements.size());
    EXPECT_EQ(shown.geometries.size(), rig.clump.geometries.size());
    for (size_t i = 0; i < placements.size(); ++i) {
        const DffAtomic& a = shown.atomics[i];
        EXPECT_EQ(a.geometry, rig.wheel.geometry);
        // The new frames hang from the dummies and draw the wheel where the view does.
        if (i > 0) {
            EXPECT_EQ(shown.frames[size_t(a.frame)].parent, placements[i].frame);
        }
        const Vec3 p{0.1f, 0.2f, 0.3f};
        EXPECT_TRUE(near(shown.world[size_t(a.frame)].transformPoint(p),
                         placementMatrix(rig.clump, placements[i]).transformPoint(p)))
            << i;
    }
    EXPECT_TRUE(clumpAsShown(rig.clump, {false}, sizes).atomics.empty());
}

TEST(WheelClones, OnlyTheWheelIsCopied) {
    const Bytes bytes = demoVehicle();
    const DffClump c = readClump(bytes);
    int wheels = 0;
    for (const DffPart& p : dffParts(c)) {
        const bool wheel = p.caption == "wheel";
        EXPECT_EQ(isWheelPart(c, p), wheel) << p.caption;
        EXPECT_EQ(wheelClones(c, p).size(), wheel ? 3u : 0u) << p.caption;
        wheels += wheel;
    }
    EXPECT_EQ(wheels, 1);
}

TEST(GameViewRules, DamagedAndFarAwayPartsStartHidden) {
    const std::vector<std::pair<std::string, bool>> rows{
        {"bonnet_hi_dam", true}, {"chassis_vlo", true},    {"DOOR_LF_DAM", true},  {"windscreen_Vlo", true},
        {"bonnet_hi_ok", false}, {"chassis", false},       {"_dam", true},         {"dam", false},
        {"damage_lights", false}, {"wheel_vlo_x", false}, {"", false},             {"bumper_dam ", false},
    };
    for (const auto& [caption, hidden] : rows) EXPECT_EQ(hiddenInGameView(caption), hidden) << caption;
}

TEST(PartMesh, OneRangePerMaterialWithItsTextureColourAndCoordinates) {
    DffBuilder b;
    DffGeometryPlan box = texturedBoxGeometry({0, 0, 0}, {1, 2, 3}, {2, 0, 0, 1, 0, 7});
    DffMaterialPlan paint, glass, unused;
    paint.colour = {255, 128, 0, 255};
    paint.texture = "Paint";
    paint.envTexture = "vehicleenvmap128";
    paint.envCoefficient = 0.5f;
    glass.colour = {0, 0, 255, 102};
    unused.texture = "never_drawn";
    box.materials = {paint, glass, unused};
    box.flags |= kGeometryColours;
    for (uint8_t i = 0; i < 24; ++i) {
        box.colours.push_back({i, 0, 0, 255});
        box.nightColours.push_back({0, 0, i, 255});
    }
    const int f = b.frame({"body", {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {10, 0, 0}, -1});
    b.atomic(f, b.geometry(box));
    const DffClump c = readClump(b.build());
    const DffPart part = dffParts(c).at(0);

    const PartMesh m = partMesh(c, part, {part.frame, false}, true);
    ASSERT_EQ(m.ranges.size(), 4u);
    // Faces 1, 2, 4 paint; 3 glass; 0 material 2 (no texture drawn, list order); 5 names none.
    const int materials[] = {0, 1, 2, -1};
    const uint32_t firsts[] = {0, 18, 24, 30}, counts[] = {18, 6, 6, 6};
    const char* textures[] = {"Paint", "", "never_drawn", ""};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m.ranges[i].material, materials[i]);
        EXPECT_EQ(m.ranges[i].first, firsts[i]);
        EXPECT_EQ(m.ranges[i].count, counts[i]);
        EXPECT_EQ(m.ranges[i].texture, textures[i]);
    }
    EXPECT_EQ(m.ranges[0].colour, (Rgba{1, 128 / 255.0f, 0, 1}));
    EXPECT_EQ(m.ranges[1].colour, (Rgba{0, 0, 1, 0.4f}));
    EXPECT_EQ(m.ranges[3].colour, (Rgba{1, 1, 1, 1}));
    EXPECT_EQ(m.ranges[0].envTexture, "vehicleenvmap128");
    EXPECT_EQ(m.ranges[0].envCoefficient, 0.5f);
    EXPECT_EQ(m.ranges[1].envTexture, "");
    // Day and night prelight, one colour a vertex as 0..1.
    ASSERT_EQ(m.dayColours.size(), 24u * 4);
    ASSERT_EQ(m.nightColours.size(), 24u * 4);
    EXPECT_EQ(m.dayColours[4 * 5], 5 / 255.0f);
    EXPECT_EQ(m.nightColours[4 * 5 + 2], 5 / 255.0f);
    // Paint's faces in stored order, each vertex named, not copied.
    EXPECT_EQ(std::vector<uint16_t>(m.indices.begin(), m.indices.begin() + 6), (std::vector<uint16_t>{4, 5, 6, 4, 6, 7}));
    ASSERT_EQ(m.indices.size(), 36u);
    ASSERT_EQ(m.positions.size(), 24u * 3);
    ASSERT_EQ(m.normals.size(), 24u * 3);
    ASSERT_EQ(m.texCoords.size(), 24u * 2);

    // The glass is the front face (y = 2): placed by the frame (turned a quarter about z and
    // moved 10 along x) it faces -x at x = 8, and its corners keep their texture points.
    EXPECT_EQ(std::vector<uint16_t>(m.indices.begin() + 18, m.indices.begin() + 24),
              (std::vector<uint16_t>{12, 13, 14, 12, 14, 15}));
    const auto vec = [](const std::vector<float>& a, size_t i) { return Vec3{a[3 * i], a[3 * i + 1], a[3 * i + 2]}; };
    EXPECT_TRUE(near(vec(m.normals, 12), {-1, 0, 0}));
    EXPECT_NEAR(vec(m.positions, 12).x, 8.0f, 1e-5f);
    const std::vector<float> glassPoints(m.texCoords.begin() + 24, m.texCoords.begin() + 30);
    EXPECT_EQ(glassPoints, (std::vector<float>{0, 1, 1, 1, 1, 0}));
}

TEST(PartMesh, FlatFacesLeaveTheNormalsToTheViewAndNothingWithoutGeometry) {
    DffBuilder b;
    const int f = b.frame("part");
    DffGeometryPlan box = boxGeometry({0, 0, 0}, {1, 1, 1}, false);
    box.triangles.push_back(dffTriangle(0, 1, 8));  // a corner past the vertices: not drawn
    b.atomic(f, b.geometry(box));
    b.atomic(f, 5);  // no such geometry
    const DffClump c = readClump(b.build());
    const auto parts = dffParts(c);
    const PartMesh m = partMesh(c, parts[0], {f, true}, false);
    EXPECT_TRUE(m.normals.empty());
    EXPECT_TRUE(m.ranges.empty());
    ASSERT_EQ(m.positions.size(), 8u * 3);
    ASSERT_EQ(m.indices.size(), 36u);
    for (size_t t = 0; t < 36; t += 3) {
        const auto corner = [&](size_t k) {
            const size_t v = m.indices[t + k];
            return Vec3{m.positions[3 * v], m.positions[3 * v + 1], m.positions[3 * v + 2]};
        };
        // Turned half about z, the box lies at negative x and y; the corners' winding still
        // faces out, which is all the view's flat normals go by.
        const Vec3 n = planeNormal(corner(0), corner(1), corner(2));
        EXPECT_LE(corner(0).x, 0.0f);
        const Vec3 centre{-0.5f, -0.5f, 0.5f};
        EXPECT_GT(dot(n, corner(0) - centre), 0.0f);
    }
    EXPECT_TRUE(partMesh(c, parts[1], {f, false}, false).empty());
    EXPECT_TRUE(partMesh(c, parts[1], {f, false}, true).empty());
}

TEST(ModelTextures, EveryDictionaryOfAnArchive) {
    const std::vector<std::string> names{"a.dff", "b.TXD", "c.txd.bak", "d.txd", "txd", ".txd"};
    EXPECT_EQ(dictionaryEntries(names), (std::vector<size_t>{1, 3, 5}));
    EXPECT_TRUE(dictionaryEntries({}).empty());
}

TEST(DemoVehicle, ItsDictionaryHoldsEveryTextureItNames) {
    const DffClump c = readClump(demoVehicle());
    ASSERT_TRUE(c.error.empty());
    EntryReader dictionary{demoVehicleTextures()};
    const ModelTextures t = LoadModelTextures(c, dictionary);
    EXPECT_TRUE(t.missing.empty());
    ASSERT_EQ(t.found.size(), 3u);
    for (const ModelTexture& found : t.found) EXPECT_EQ(found.image.width, 64) << found.name;
}
