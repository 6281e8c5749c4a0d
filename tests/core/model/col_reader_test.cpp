// The COL scan, the record reader and the collision mesh handed to the view.
#include <gtest/gtest.h>

#include "core/io/endian.h"
#include "core/model/col_reader.h"
#include "core/view/mesh_vertices.h"
#include "support/col_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

ColRecordPlan plan(const std::string& magic, const std::string& name = "model") {
    ColRecordPlan r;
    r.magic = magic;
    r.name = name;
    r.bound = {{1, 2, 3}, 4};
    r.box = {{-1, -2, -3}, {1, 2, 3}};
    r.spheres = {{{0.5f, 0, 0}, 0.25f}, {{-0.5f, 0, 0}, 0.75f}};
    r.boxes = {{{0, 0, 0}, {1, 1, 1}}};
    r.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    r.faces = {{0, 1, 2}, {0, 3, 1}};
    return r;
}

ColScan scan(Bytes bytes) {
    EntryReader r{std::move(bytes)};
    return ScanColRecords(r);
}

ColRecord record(Bytes bytes, uint64_t offset = 0) {
    EntryReader r{std::move(bytes)};
    return ReadColRecord(r, offset);
}

TEST(ColScan, ListsRecognisedRecordsInFileOrder) {
    const Bytes a = colRecord(plan("COLL", "first")), b = colRecord(plan("COL3", "second"));
    ColRecordPlan unknown = plan("COLX", "skipped");
    const Bytes c = colRecord(unknown), d = colRecord(plan("COL2", "third"));
    const ColScan s = scan(join({a, b, c, d}));
    ASSERT_EQ(s.error, "");
    ASSERT_EQ(s.records.size(), 3u);
    EXPECT_EQ(s.records[0].magic, "COLL");
    EXPECT_EQ(s.records[1].magic, "COL3");
    EXPECT_EQ(s.records[2].magic, "COL2");
    EXPECT_EQ(s.records[2].name, "third");
    EXPECT_EQ(s.records[0].offset, 0u);
    EXPECT_EQ(s.records[1].offset, a.size());
    EXPECT_EQ(s.records[2].offset, a.size() + b.size() + c.size());
}

TEST(ColScan, TwentyTwoCharacterNameIsListedWithTwenty) {
    const Bytes bytes = colRecord(plan("COL2", "abcdefghijklmnopqrstuv"));
    EXPECT_EQ(scan(bytes).records.at(0).name, "abcdefghijklmnopqrst");
    const ColRecord r = record(bytes);
    EXPECT_EQ(r.name, "abcdefghijklmnopqrst");
    EXPECT_EQ(r.modelName, "abcdefghijklmnopqrstuv");
}

struct PaddingRow {
    size_t zeros;
    size_t records;
};

class ColPadding : public testing::TestWithParam<PaddingRow> {};

TEST_P(ColPadding, ZeroBytesAreSteppedEightAtATime) {
    // Zero padding between records reads as records of size 0; so does the tail.
    const Bytes r = colRecord(plan("COLL"));
    const size_t zeros = GetParam().zeros;
    const Bytes bytes = join({r, Bytes(zeros, 0), r});
    const ColScan s = scan(bytes);
    ASSERT_EQ(s.records.size(), GetParam().records);
    if (s.records.size() == 2) {
        EXPECT_EQ(s.records[1].offset, r.size() + zeros);
    }
    // The tail that pads an entry to its sector ends the scan without a record or an error.
    const ColScan tail = scan(join({r, Bytes(zeros + 3, 0)}));
    EXPECT_EQ(tail.records.size(), 1u);
    EXPECT_EQ(tail.error, "");
}

INSTANTIATE_TEST_SUITE_P(Zeros, ColPadding,
                         testing::Values(PaddingRow{0, 2}, PaddingRow{8, 2}, PaddingRow{2040, 2}));

TEST(ColScan, ShortTailsAndHugeSizesEndTheScan) {
    EXPECT_TRUE(scan({}).records.empty());
    EXPECT_TRUE(scan(Bytes(7, 0)).records.empty());
    // A record cut right after its size field is still listed, with what name there is.
    EXPECT_EQ(scan(Bytes{'C', 'O', 'L', 'L', 100, 0, 0, 0, 'a', 'b'}).records.at(0).name, "ab");
    ColRecordPlan huge = plan("COL3");
    huge.sizeField = 0xFFFFFFFF;
    const ColScan s = scan(join({colRecord(huge), colRecord(plan("COLL"))}));
    EXPECT_EQ(s.records.size(), 1u);
}

class ColBoxSize : public testing::TestWithParam<const char*> {};

TEST_P(ColBoxSize, BoundingBoxIsTwoByFourBySix) {
    const ColRecord r = record(colRecord(plan(GetParam())));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.box.size(), (Vec3{2, 4, 6}));
    EXPECT_EQ(r.box.centre(), (Vec3{0, 0, 0}));
    EXPECT_EQ(r.bound.centre, (Vec3{1, 2, 3}));
    EXPECT_EQ(r.bound.radius, 4);
    ASSERT_EQ(r.spheres.size(), 2u);
    EXPECT_EQ(r.spheres[1].centre, (Vec3{-0.5f, 0, 0}));
    EXPECT_EQ(r.spheres[1].radius, 0.75f);
    ASSERT_EQ(r.boxes.size(), 1u);
    EXPECT_EQ(r.boxes[0].max, (Vec3{1, 1, 1}));
    ASSERT_EQ(r.faces.size(), 2u);
    EXPECT_EQ(r.faces[1].b, 3u);
    EXPECT_EQ(r.vertices.at(3), (Vec3{0, 0, 1}));
    EXPECT_EQ(colVertexCount(r), 4u);
    EXPECT_FALSE(r.cut);
}

INSTANTIATE_TEST_SUITE_P(Versions, ColBoxSize, testing::Values("COLL", "COL2", "COL3"));

TEST(ColRecord, CompressedVerticesAreSixteenBitsOver128) {
    ColRecordPlan s = plan("COL2");
    s.packedVertices = {{128, -256, 64}, {-64, 0, 32767}};
    s.faces = {{1, 0, 1}};
    const ColRecord r = record(colRecord(s));
    ASSERT_EQ(r.vertices.size(), 2u);
    EXPECT_EQ(r.vertices[0], (Vec3{1.0f, -2.0f, 0.5f}));
    EXPECT_EQ(r.vertices[1], (Vec3{-0.5f, 0, 32767.0f / 128}));
    EXPECT_EQ(colVertexCount(r), 2u);
}

TEST(ColRecord, VersionTwoWithoutFacesHasNoVertices) {
    ColRecordPlan s = plan("COL3");
    s.faces.clear();
    EXPECT_EQ(colVertexCount(record(colRecord(s))), 0u);
}

TEST(ColRecord, BlocksPastTheRecordEndAreReadAsFarAsTheyFit) {
    Bytes bytes = colRecord(plan("COL2"));
    const Bytes next = colRecord(plan("COLL", "next"));
    // Two more faces than stored: the second record's bytes must not be read as faces.
    put32le(bytes.data() + kColFaceCountField, 4);
    const ColRecord r = record(join({bytes, next}));
    EXPECT_EQ(r.faces.size(), 2u);
    EXPECT_TRUE(r.cut);
    // A sphere offset beyond the end gives no spheres; the rest stays.
    put32le(bytes.data() + kColSphereOffsetField, 0x7FFFFFF0);
    const ColRecord s = record(join({bytes, next}));
    EXPECT_TRUE(s.spheres.empty());
    EXPECT_EQ(s.boxes.size(), 1u);
    // Version 1: a sphere count beyond the record keeps the spheres that fit.
    Bytes v1 = colRecord(plan("COLL"));
    put32le(v1.data() + 72, 1000);
    const ColRecord t = record(join({v1, next}));
    EXPECT_EQ(t.spheres.size(), v1.size() > 76 ? (v1.size() - 76) / 20 : 0u);
    EXPECT_TRUE(t.boxes.empty());
    EXPECT_TRUE(t.cut);
    EXPECT_EQ(t.error, "");
}

TEST(ColRecord, HeadCutShortIsAnErrorThatKeepsTheName) {
    Bytes bytes = colRecord(plan("COL3", "cut"));
    bytes.resize(60);
    const ColRecord r = record(bytes);
    EXPECT_EQ(r.error, "Read beyond end of file");
    EXPECT_EQ(r.name, "cut");
    EXPECT_EQ(record(bytes, 1000).error, "Read beyond end of file");
    EXPECT_EQ(record(colRecord(plan("ABCD"))).version, 0);
}

TEST(ColMesh, DrawnAsCornersCBAWithPlaneNormals) {
    ColRecord r;
    r.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    r.faces = {{0, 1, 2}, {0, 1, 3}};  // the second points past the vertices
    const auto v = collisionMeshVertices(r);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].position, (Vec3{0, 1, 0}));
    EXPECT_EQ(v[1].position, (Vec3{1, 0, 0}));
    EXPECT_EQ(v[2].position, (Vec3{0, 0, 0}));
    for (const auto& m : v) EXPECT_EQ(m.normal, (Vec3{0, 0, -1}));
}

TEST(ColDemo, HoldsAllThreeVersions) {
    const Bytes file = demoCollision();
    const ColScan s = scan(file);
    ASSERT_EQ(s.records.size(), 3u);
    for (const auto& l : s.records) {
        const ColRecord r = record(file, l.offset);
        EXPECT_EQ(r.error, "");
        EXPECT_FALSE(r.cut);
        EXPECT_EQ(r.spheres.size(), 4u);
        EXPECT_EQ(r.boxes.size(), 2u);
        EXPECT_EQ(collisionMeshVertices(r).size(), 12u);
        // Every roof face looks up (or out), never down.
        for (const auto& m : collisionMeshVertices(r)) EXPECT_GT(m.normal.z, 0) << l.magic;
    }
}

}  // namespace
