// Welding triangle entries into vertices and indices: what is shared and what is not.
#include <gtest/gtest.h>

#include "core/view/vertex_weld.h"

using namespace varmelo;

namespace {

// Two triangles over the square (0,0)-(1,1), sharing the diagonal: entries A B C, B D C.
const std::vector<float> kSquare = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
const std::vector<float> kUp(18, 0);  // every normal (0, 0, 0): shared as well

struct WeldRow {
    const char* name;
    std::vector<float> colours;  // 4 per entry, or none
    std::vector<std::uint32_t> indices;
    std::vector<std::uint32_t> sources;
};

class WeldVertices : public testing::TestWithParam<WeldRow> {};

TEST_P(WeldVertices, EntriesEqualInEveryStreamShareAVertex) {
    const WeldRow& row = GetParam();
    const WeldedVertices w = weldVertices(6, {kSquare, kUp, row.colours});
    EXPECT_EQ(w.indices, row.indices);
    EXPECT_EQ(w.sources, row.sources);
}

std::vector<float> colours(std::initializer_list<float> reds) {
    std::vector<float> c;
    for (float r : reds) c.insert(c.end(), {r, 0, 0, 1});
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WeldVertices,
    testing::Values(WeldRow{"the diagonal shared", {}, {0, 1, 2, 1, 3, 2}, {0, 1, 2, 4}},
                    WeldRow{"same colours", colours({1, 0, 0, 0, 0, 0}), {0, 1, 2, 1, 3, 2}, {0, 1, 2, 4}},
                    // B is red in the first triangle only: two vertices at one place.
                    WeldRow{"a colour apart", colours({0, 1, 0, 0, 0, 0}), {0, 1, 2, 3, 4, 2}, {0, 1, 2, 3, 4}}));

TEST(WeldVertices, GatherTakesEachVertexFromItsSource) {
    const WeldedVertices w = weldVertices(6, {kSquare});
    EXPECT_EQ(gatherVertices<float>(kSquare, 3, w.sources),
              (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}));
}

}  // namespace
