// Damaged DFF and COL entries: every cut and every flipped bit gives an error or a consistent
// partial result, never a crash, a read outside a table or a table sized from a wild count.
#include <gtest/gtest.h>

#include "core/model/col_reader.h"
#include "core/model/dff_parts.h"
#include "core/model/dff_reader.h"
#include "core/view/mesh_vertices.h"
#include "core/view/part_mesh.h"
#include "support/col_builder.h"
#include "support/demo_vehicle.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bytes = std::vector<uint8_t>;

// Checks what a view would do with the clump; returns the number of vertex entries drawn.
size_t exerciseClump(const Bytes& bytes) {
    EntryReader r{Bytes(bytes)};
    const DffClump c = ReadDffClump(r);
    for (const DffGeometry& g : c.geometries) {
        EXPECT_TRUE(g.positions.empty() || g.positions.size() == size_t(g.vertexCount));
        EXPECT_TRUE(g.normals.empty() || g.normals.size() == size_t(g.vertexCount));
        EXPECT_TRUE(g.nativeData() || g.triangles.size() == size_t(g.triangleCount));
    }
    EXPECT_LE(c.atomics.size(), size_t(c.atomicCount));
    size_t drawn = 0;
    const auto parts = dffParts(c);
    for (size_t i = 0; i < parts.size(); ++i) {
        drawn += partVertices(c, parts[i], i == 0).size();
        (void)partBounds(c, parts[i]);
        // What the view uploads of the same part, wheel copies included, names no vertex
        // its arrays lack.
        std::vector<PartPlacement> placements = wheelClones(c, parts[i]);
        placements.push_back({parts[i].frame, false});
        for (const PartPlacement& at : placements)
            for (const bool byMaterial : {false, true}) {
                const PartMesh m = partMesh(c, parts[i], at, byMaterial);
                EXPECT_EQ(m.indices.size() % 3, 0u);
                for (const uint16_t v : m.indices) EXPECT_LT(size_t(v) * 3, m.positions.size());
            }
    }
    return drawn;
}

size_t exerciseCol(const Bytes& bytes) {
    EntryReader r{Bytes(bytes)};
    const ColScan s = ScanColRecords(r);
    EXPECT_EQ(s.error, "");
    size_t drawn = 0;
    for (const ColListing& l : s.records) {
        const ColRecord rec = ReadColRecord(r, l.offset);
        EXPECT_LE(l.offset, bytes.size());
        drawn += collisionMeshVertices(rec).size();
        (void)colVertexCount(rec);
    }
    return drawn;
}

TEST(ModelDamage, EveryDffTruncationErrsOrStaysConsistent) {
    const Bytes whole = demoVehicle();
    const size_t full = exerciseClump(whole);
    ASSERT_GT(full, 0u);
    EntryReader wholeReader{Bytes(whole)};
    const DffClump all = ReadDffClump(wholeReader);
    ASSERT_TRUE(all.error.empty());
    for (size_t n = 0; n < whole.size(); ++n) {
        const Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
        EntryReader r{Bytes(cut)};
        const DffClump c = ReadDffClump(r);
        // Without an error the cut lost only the Extensions that follow the last atomic.
        if (c.error.empty()) {
            EXPECT_EQ(c.atomics.size(), all.atomics.size()) << n;
            EXPECT_EQ(c.geometries.size(), all.geometries.size()) << n;
            EXPECT_GT(n, whole.size() - 40) << n;
        }
        EXPECT_LE(exerciseClump(cut), full) << n;
    }
}

TEST(ModelDamage, FlippedBitsInADffNeverCrash) {
    const Bytes whole = demoVehicle();
    for (size_t i = 0; i < whole.size(); ++i)
        for (int bit : {0, 3, 6, 7}) {
            Bytes b = whole;
            b[i] ^= uint8_t(1u << bit);
            exerciseClump(b);
        }
}

TEST(ModelDamage, EveryColTruncationErrsOrStaysConsistent) {
    Bytes whole = demoCollision();
    const size_t full = exerciseCol(whole);
    ASSERT_EQ(full, 36u);
    for (size_t n = 0; n < whole.size(); n += (n < 1200 ? 1 : 64)) {
        const Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
        EXPECT_LE(exerciseCol(cut), full) << n;
    }
}

TEST(ModelDamage, FlippedBitsInAColNeverCrash) {
    Bytes whole = demoCollision();
    whole.resize(900);  // the records, without most of the padding
    for (size_t i = 0; i < whole.size(); ++i)
        for (int bit : {0, 4, 7}) {
            Bytes b = whole;
            b[i] ^= uint8_t(1u << bit);
            exerciseCol(b);
        }
}

}  // namespace
