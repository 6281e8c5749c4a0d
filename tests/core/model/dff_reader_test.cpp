// The DFF clump reader and the rows a model preview lists.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/io/endian.h"
#include "core/model/dff_parts.h"
#include "core/model/dff_reader.h"
#include "core/model/frame_space.h"
#include "core/view/mesh_vertices.h"
#include "core/view/part_mesh.h"
#include "support/dff_builder.h"
#include "support/read_model.h"

using namespace varmelo;
using namespace testing_support;

namespace {

DffGeometryPlan triangle(float dx = 0) {
    DffGeometryPlan g;
    g.positions = {{dx, 0, 0}, {dx + 1, 0, 0}, {dx, 1, 0}};
    g.normals = {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}};
    g.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    g.triangles = {dffTriangle(0, 1, 2, 7)};
    g.radius = 1 + dx;
    return g;
}

void expectVec(Vec3 got, Vec3 want) {
    EXPECT_NEAR(got.x, want.x, 1e-5);
    EXPECT_NEAR(got.y, want.y, 1e-5);
    EXPECT_NEAR(got.z, want.z, 1e-5);
}

TEST(DffReader, ThreeAtomicsGiveThreeRowsNamedAfterTheirFrames) {
    DffBuilder b;
    for (int i = 0; i < 3; ++i) {
        const int f = b.frame({"part" + std::to_string(i), {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {float(i), 0, 0}});
        b.atomic(f, b.geometry(triangle(float(i) * 10)));
    }
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.atomicCount, 3u);
    ASSERT_EQ(c.frames.size(), 3u);
    ASSERT_EQ(c.geometries.size(), 3u);
    EXPECT_EQ(c.totalVertices, 9u);
    EXPECT_EQ(c.totalTriangles, 3u);
    EXPECT_FLOAT_EQ(c.largestRadius, 21);
    const auto parts = dffParts(c);
    ASSERT_EQ(parts.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(parts[i].caption, "part" + std::to_string(i));
        EXPECT_EQ(parts[i].geometry, int(i));
        const DffGeometry& g = c.geometries[i];
        EXPECT_EQ(g.triangles[0], (std::array<uint16_t, 4>{1, 0, 7, 2}));
        EXPECT_EQ(g.texCoords[1], (Vec2{1, 0}));
        const auto v = partVertices(c, parts[i], i == 1);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_EQ(v[0].colour, i == 1 ? kSelectedPartColour : kPartColour);
        // Drawn in the order of triangle bytes 2, 0, 6, moved by the frame.
        expectVec(v[0].position, {float(i) * 11, 0, 0});
        expectVec(v[1].position, {float(i) * 11 + 1, 0, 0});
        expectVec(v[2].position, {float(i) * 11, 1, 0});
    }
}

TEST(DffReader, FrameWithEmptyExtensionGivesEmptyCaption) {
    DffBuilder b;
    const int named = b.frame("door");
    const int unnamed = b.frame("");
    const int g = b.geometry(triangle());
    b.atomic(unnamed, g).atomic(named, g);
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    const auto parts = dffParts(c);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].caption, "");
    EXPECT_EQ(parts[1].caption, "door");
    EXPECT_TRUE(parts[0].placed());
}

struct StampRow {
    uint32_t stamp;
    uint32_t version;
    bool lighting;
};

class DffVersionStamp : public testing::TestWithParam<StampRow> {};

TEST_P(DffVersionStamp, DecidesTheLightingBlock) {
    const StampRow row = GetParam();
    EXPECT_EQ(decodeRwVersion(row.stamp), row.version);
    DffGeometryPlan g = triangle();
    g.stamp = row.stamp;
    g.lightingBlock = row.lighting;
    DffBuilder b;
    b.atomic(b.frame("f"), b.geometry(g));
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    ASSERT_EQ(c.geometries.size(), 1u);
    EXPECT_EQ(c.geometries[0].version, row.version);
    EXPECT_EQ(c.geometries[0].positions, g.positions);
    EXPECT_EQ(c.geometries[0].texCoords[2], (Vec2{0, 1}));
}

INSTANTIATE_TEST_SUITE_P(Stamps, DffVersionStamp,
                         testing::Values(StampRow{0x1803FFFF, 0x36003, false},  // 3.6.0.3
                                         StampRow{0x1003FFFF, 0x34003, false},  // 3.4.0.3
                                         StampRow{0x1400FFFF, 0x35000, false},  // 3.5.0.0
                                         StampRow{0x0C02FFFF, 0x33002, true},   // 3.3.0.2
                                         StampRow{0x00000310, 0x31000, true}));  // old bare version

TEST(DffReader, StoredNormalsWithFlagAndPlaneNormalsWithout) {
    DffGeometryPlan stored = triangle();
    stored.normals = {{1, 0, 0}, {0, 1, 0}, {0, 0, 2}};
    DffGeometryPlan computed = stored;
    computed.flags &= ~0x10u;
    // Drawn a, b, c clockwise seen from +z: the plane normal points down.
    computed.triangles = {dffTriangle(0, 2, 1)};
    DffBuilder b;
    const int f = b.frame("f");
    b.atomic(f, b.geometry(stored)).atomic(f, b.geometry(computed));
    const DffClump c = readClump(b.build());
    const auto parts = dffParts(c);
    const auto s = partVertices(c, parts[0], false);
    ASSERT_EQ(s.size(), 3u);
    expectVec(s[0].normal, {1, 0, 0});
    expectVec(s[2].normal, {0, 0, 1});  // turned with the frame and normalised
    const auto n = partVertices(c, parts[1], false);
    ASSERT_EQ(n.size(), 3u);
    for (const auto& v : n) expectVec(v.normal, {0, 0, -1});
}

TEST(DffReader, MoreGeometriesThanAtomicsListsThemAllAndDrawsWhatAtomicsUse) {
    DffBuilder b;
    const int f = b.frame("only");
    b.geometry(triangle(0));
    b.geometry(triangle(1));
    b.geometry(triangle(2));
    b.atomic(f, 2);
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.geometries.size(), 3u);
    ASSERT_EQ(c.atomics.size(), 1u);
    EXPECT_EQ(c.totalVertices, 9u);
    const auto parts = dffParts(c);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].geometry, 2);
    expectVec(partVertices(c, parts[0], false)[0].position, {2, 0, 0});
}

TEST(DffReader, GeometrySearchStopsAtTheEndOfTheGeometryList) {
    DffBuilder b;
    const int f = b.frame("a");
    b.geometry(triangle());
    b.geometryCount(3);  // states more than it holds
    b.atomic(f, 0).atomic(f, 1).atomic(f, 2);
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.geometries.size(), 1u);
    ASSERT_EQ(c.atomics.size(), 3u);  // the atomics were not taken for geometries
    const auto parts = dffParts(c);
    EXPECT_TRUE(parts[0].placed());
    EXPECT_FALSE(parts[1].placed());
    EXPECT_EQ(parts[1].caption, "a");
    EXPECT_TRUE(partVertices(c, parts[1], false).empty());
    EXPECT_FALSE(partBounds(c, parts[2]).has_value());
}

TEST(DffReader, ClumpStructOfTheAtomicCountAlone) {
    DffBuilder b;
    b.atomic(b.frame("short"), b.geometry(triangle()));
    b.shortClumpStruct();
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.atomicCount, 1u);
    ASSERT_EQ(dffParts(c).size(), 1u);
    EXPECT_EQ(dffParts(c)[0].caption, "short");
}

struct IndexRow {
    int32_t frame;
    int32_t geometry;
    const char* caption;
    bool placed;
};

class DffAtomicIndex : public testing::TestWithParam<IndexRow> {};

TEST_P(DffAtomicIndex, OutOfRangeLeavesTheRowEmpty) {
    const IndexRow row = GetParam();
    DffBuilder b;
    b.frame("frame0");
    b.geometry(triangle());
    b.atomic(row.frame, row.geometry);
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    const auto parts = dffParts(c);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].caption, row.caption);
    EXPECT_EQ(parts[0].placed(), row.placed);
    EXPECT_EQ(partVertices(c, parts[0], false).size(), row.placed ? 3u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Indices, DffAtomicIndex,
                         testing::Values(IndexRow{0, 0, "frame0", true}, IndexRow{1, 0, "", false},
                                         IndexRow{-1, 0, "", false}, IndexRow{0, 1, "frame0", false},
                                         IndexRow{0, -5, "frame0", false}));

TEST(DffReader, TriangleWithACornerOutsideItsVerticesIsLeftOut) {
    DffGeometryPlan g = triangle();
    g.triangles = {dffTriangle(0, 1, 3), dffTriangle(0, 1, 2), dffTriangle(9, 1, 2)};
    DffBuilder b;
    b.atomic(b.frame("f"), b.geometry(g));
    const DffClump c = readClump(b.build());
    // Counted apart, so every total agrees with what is drawn and exported.
    EXPECT_EQ(c.geometries[0].triangleCount, 3);
    EXPECT_EQ(c.geometries[0].badTriangles, 2u);
    EXPECT_EQ(c.totalTriangles, 1u);
    EXPECT_EQ(c.badTriangles, 2u);
    const auto parts = dffParts(c);
    const auto v = partVertices(c, parts[0], false);
    ASSERT_EQ(v.size(), 3u);
    expectVec(v[2].position, {0, 1, 0});
    EXPECT_EQ(partMesh(c, parts[0], {parts[0].frame, false}, false).indices, (std::vector<uint16_t>{0, 1, 2}));
    const auto box = partBounds(c, parts[0]);
    ASSERT_TRUE(box.has_value());
    expectVec(box->max, {1, 1, 0});
}

TEST(DffParts, PlacedByTheWholeFrameChain) {
    // Root moved by (10, 0, 0); child turned 90 degrees about z and moved by (0, 5, 0).
    std::vector<DffFrame> frames(4);
    frames[0].position = {10, 0, 0};
    frames[1].right = {0, 1, 0};
    frames[1].up = {-1, 0, 0};
    frames[1].position = {0, 5, 0};
    frames[1].parent = 0;
    frames[2].position = {0, 0, 1};
    frames[2].parent = 1;
    frames[3].position = {0, 0, 7};
    frames[3].parent = 3;  // itself: ends the chain
    const auto point = [&](int f, Vec3 v) { return frameWorldMatrices(frames)[size_t(f)].transformPoint(v); };
    expectVec(point(2, {1, 0, 0}), {10, 6, 1});
    expectVec(frameWorldMatrices(frames)[2].transformDirection({1, 0, 0}), {0, 1, 0});
    expectVec(point(3, {1, 0, 0}), {1, 0, 7});
    frames[2].parent = 9;  // out of range
    expectVec(point(2, {1, 0, 0}), {1, 0, 1});
    frames[0].parent = 2;  // a later frame as parent would loop
    expectVec(point(1, {1, 0, 0}), {10, 6, 0});
}

TEST(DffReader, NativeGeometryIsListedButDrawsNothing) {
    DffGeometryPlan g;
    g.flags = 0x01000000 | 0x04;
    g.vertexCount = 24;
    g.triangleCount = 12;
    g.radius = 3;
    DffBuilder b;
    b.atomic(b.frame("ps2"), b.geometry(g));
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "");
    ASSERT_EQ(c.geometries.size(), 1u);
    EXPECT_TRUE(c.geometries[0].nativeData());
    EXPECT_TRUE(c.geometries[0].triangles.empty());
    EXPECT_FLOAT_EQ(c.largestRadius, 3);
    const auto parts = dffParts(c);
    EXPECT_TRUE(parts[0].placed());
    EXPECT_TRUE(partVertices(c, parts[0], false).empty());
    EXPECT_FALSE(partBounds(c, parts[0]).has_value());
}

struct LayoutRow {
    uint32_t flags;
    const char* what;
};

class DffVertexLayout : public testing::TestWithParam<LayoutRow> {};

TEST_P(DffVertexLayout, ColoursAndFurtherCoordinateSetsAreSteppedOver) {
    DffGeometryPlan g = triangle();
    g.flags = GetParam().flags;
    DffBuilder b;
    b.atomic(b.frame("f"), b.geometry(g));
    const DffClump c = readClump(b.build());
    ASSERT_EQ(c.error, "") << GetParam().what;
    const DffGeometry& r = c.geometries.at(0);
    EXPECT_EQ(r.positions, g.positions) << GetParam().what;
    EXPECT_EQ(r.triangles, g.triangles) << GetParam().what;
    EXPECT_EQ(r.texCoords, g.texCoords) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Flags, DffVertexLayout,
                         testing::Values(LayoutRow{0x04 | 0x08 | 0x10, "colours"},
                                         LayoutRow{0x80 | 0x04 | 0x10, "two sets by flag"},
                                         LayoutRow{0x00030000 | 0x04 | 0x08, "three sets by count"},
                                         LayoutRow{0x00010000 | 0x80, "count wins over the flag"}));

// Some tools write a wrong size word into the clump's Struct; the rest of the file is sound.
struct DamagedSizeRow {
    uint32_t stated;
    size_t vertices;  // enough for the clump to outgrow the stated size, or not
};

class DffDamagedStruct : public testing::TestWithParam<DamagedSizeRow> {};

TEST_P(DffDamagedStruct, FixedFieldsAreReadAndReadingGoesOn) {
    DffGeometryPlan g = triangle();
    g.positions.resize(GetParam().vertices, {0, 0, 0});
    g.normals.resize(GetParam().vertices, {0, 0, 1});
    g.texCoords.resize(GetParam().vertices);
    DffBuilder b;
    b.atomic(b.frame("body"), b.geometry(g));
    std::vector<uint8_t> bytes = b.build();
    const DffClump sound = readClump(bytes);
    ASSERT_EQ(u32le(bytes.data() + 16), 12u);  // the clump Struct's size word
    for (int k = 0; k < 4; ++k) bytes[16 + size_t(k)] = uint8_t(GetParam().stated >> (8 * k));
    const DffClump c = readClump(bytes);
    EXPECT_EQ(c.error, "");
    ASSERT_EQ(c.geometries.size(), 1u);
    EXPECT_EQ(c.geometries[0].positions, sound.geometries[0].positions);
    EXPECT_EQ(dffParts(c)[0].caption, "body");
    EXPECT_EQ(c.notes, std::vector<std::string>{"Clump Struct at 0xC: damaged size word (" +
                                                std::to_string(GetParam().stated) + "), read as 12"});
    EXPECT_TRUE(sound.notes.empty());
}

INSTANTIATE_TEST_SUITE_P(SizeWords, DffDamagedStruct,
                         testing::Values(DamagedSizeRow{16777228, 3}, DamagedSizeRow{65548, 3},
                                         // a clump larger than the stated size: it does not run past
                                         DamagedSizeRow{65548, 4000}));

// Damage that no fixed length explains stays an error, and every error names its chunk.
TEST(DffReader, ErrorsNameTheChunkAndItsOffset) {
    DffBuilder b;
    b.atomic(b.frame("f"), b.geometry(triangle()));
    const std::vector<uint8_t> bytes = b.build();
    size_t geometry = 0;  // the Geometry chunk: a header of type 0x0F right before its Struct's
    while (!(u32le(bytes.data() + geometry) == 0x0F && u32le(bytes.data() + geometry + 12) == 1)) ++geometry;
    using Edit = std::pair<size_t, uint32_t>;  // a word written at an offset
    auto with = [&](std::initializer_list<Edit> edits) {
        std::vector<uint8_t> out = bytes;
        for (const auto& [at, word] : edits)
            for (int k = 0; k < 4; ++k) out[at + size_t(k)] = uint8_t(word >> (8 * k));
        return readClump(out).error;
    };
    const size_t triangleCount = geometry + 12 + 12 + 4;
    char where[96];
    std::snprintf(where, sizeof where, "Geometry at 0x%zX: triangle list runs past the chunk", geometry);
    EXPECT_EQ(with({{triangleCount, 5000}}), where);
    // The frame list's header follows the clump's and its 12-byte Struct.
    EXPECT_EQ(with({{36, 0x99}}), "Clump at 0x0: no Frame List inside");
    EXPECT_EQ(with({{36, 0x99}, {40, 0x7FFFFFFF}}), "chunk 0x99 at 0x24: runs past its parent");
    EXPECT_EQ(readClump({}).error, "Clump at 0x0: not found in the entry");
}

TEST(DffReader, HostileCountsFailWithoutSizingATable) {
    for (int32_t count : {0x7FFFFFFF, -1, 0x10000000}) {
        DffGeometryPlan g = triangle();
        g.vertexCount = count;
        if (count == 0x10000000) {
            g.vertexCount.reset();
            g.triangleCount = count;
        }
        DffBuilder b;
        b.atomic(b.frame("f"), b.geometry(g));
        const DffClump c = readClump(b.build());
        EXPECT_EQ(c.error.rfind("Geometry at 0x", 0), 0u) << c.error;
        EXPECT_TRUE(c.geometries.empty()) << count;
        EXPECT_EQ(c.frames.size(), 1u);
    }
}

TEST(DffReader, EntryWithoutAClumpSaysSo) {
    EXPECT_EQ(readClump(std::vector<uint8_t>(40, 0)).error, "Clump at 0x0: not found in the entry");
}

}  // namespace
