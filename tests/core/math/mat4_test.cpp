// The 4 x 4 matrices against values worked out by hand, and a chain of frames against the
// frames applied one by one.
#include <gtest/gtest.h>

#include "core/math/mat4.h"

using namespace varmelo;

namespace {

void expectNear(Vec3 got, Vec3 want) {
    EXPECT_NEAR(got.x, want.x, 1e-5f);
    EXPECT_NEAR(got.y, want.y, 1e-5f);
    EXPECT_NEAR(got.z, want.z, 1e-5f);
}

// A frame turned a quarter about z: right is +y, up is -x.
const Mat4 kQuarterFrame = Mat4::frame({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {10, 0, 0});

struct PointRow {
    const char* name;
    Mat4 m;
    Vec3 in;
    Vec3 point;      // through transformPoint
    Vec3 direction;  // through transformDirection
};

class Mat4Transform : public testing::TestWithParam<PointRow> {};

TEST_P(Mat4Transform, MapsPointsAndDirections) {
    const PointRow& row = GetParam();
    SCOPED_TRACE(row.name);
    expectNear(row.m.transformPoint(row.in), row.point);
    expectNear(row.m.transformDirection(row.in), row.direction);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Mat4Transform,
    testing::Values(
        PointRow{"identity", Mat4{}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}},
        PointRow{"translation moves points only", Mat4::translation({1, 2, 3}), {1, 1, 1}, {2, 3, 4}, {1, 1, 1}},
        PointRow{"scaling", Mat4::scaling({2, 3, 4}), {1, 1, 1}, {2, 3, 4}, {2, 3, 4}},
        // 1 * right + 2 * up + 3 * at + position.
        PointRow{"frame", kQuarterFrame, {1, 2, 3}, {8, 1, 3}, {-2, 1, 3}},
        // Scaled first, then moved.
        PointRow{"product applies the right factor first",
                 Mat4::translation({1, 2, 3}) * Mat4::scaling({2, 2, 2}), {1, 1, 1}, {3, 4, 5}, {2, 2, 2}},
        PointRow{"product the other way", Mat4::scaling({2, 2, 2}) * Mat4::translation({1, 2, 3}), {1, 1, 1},
                 {4, 6, 8}, {2, 2, 2}},
        // 90 degrees, twice as wide as high, planes at 1 and 3: the near plane's corner.
        PointRow{"perspective near corner", Mat4::perspective(90, 2, 1, 3), {2, 1, -1}, {1, 1, -1}, {1, 1, 2}},
        PointRow{"perspective far corner", Mat4::perspective(90, 2, 1, 3), {6, 3, -3}, {1, 1, 1}, {3, 3, 6}},
        // From (0, -10, 0) at the origin with +z up: x stays right, z becomes up, y goes away.
        PointRow{"look at", Mat4::lookAt({0, -10, 0}, {}, {0, 0, 1}), {1, 0, 2}, {1, 2, -10}, {1, 2, 0}},
        PointRow{"look at, the eye", Mat4::lookAt({0, -10, 0}, {}, {0, 0, 1}), {0, -10, 0}, {0, 0, 0},
                 {0, 0, 10}}));

TEST(Mat4, FrameChainEqualsTheFramesOneByOne) {
    const Mat4 root = Mat4::frame({0, 0, 1}, {0, 1, 0}, {-1, 0, 0}, {0, 5, -2});
    const Mat4 child = kQuarterFrame;
    const Mat4 grandchild = Mat4::frame({1, 0, 0}, {0, 0.6f, 0.8f}, {0, -0.8f, 0.6f}, {1, 2, 3});
    const Mat4 world = root * child * grandchild;
    for (const Vec3 v : {Vec3{0, 0, 0}, Vec3{1, 2, 3}, Vec3{-4, 0.5f, 7}}) {
        expectNear(world.transformPoint(v), root.transformPoint(child.transformPoint(grandchild.transformPoint(v))));
        expectNear(world.transformDirection(v),
                   root.transformDirection(child.transformDirection(grandchild.transformDirection(v))));
    }
}

struct NormalRow {
    const char* name;
    Mat4 m;
    std::array<float, 9> want;  // column by column
};

class Mat4Normal : public testing::TestWithParam<NormalRow> {};

TEST_P(Mat4Normal, IsTheInverseTransposeOfTheBlock) {
    const NormalRow& row = GetParam();
    SCOPED_TRACE(row.name);
    const Mat3 n = row.m.normalMatrix();
    for (std::size_t i = 0; i < 9; ++i) EXPECT_NEAR(n.m[i], row.want[i], 1e-5f) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Mat4Normal,
    testing::Values(NormalRow{"translation is ignored", Mat4::translation({4, 5, 6}), {1, 0, 0, 0, 1, 0, 0, 0, 1}},
                    NormalRow{"scale is inverted", Mat4::scaling({2, 4, 0.5f}), {0.5f, 0, 0, 0, 0.25f, 0, 0, 0, 2}},
                    // A rotation is its own inverse transpose.
                    NormalRow{"rotation", kQuarterFrame, {0, 1, 0, -1, 0, 0, 0, 0, 1}},
                    // A box flat in y keeps lighting its two faces along y.
                    NormalRow{"flat scale", Mat4::scaling({4, 0, 4}), {0, 0, 0, 0, 16, 0, 0, 0, 0}},
                    // Sheared: x' = x + y. The inverse transpose sends the normal (1, 0, 0) of
                    // the plane x = 0 to (1, -1, 0), square to its image x' = y'.
                    NormalRow{"shear", [] {
                                  Mat4 m;
                                  m(0, 1) = 1;
                                  return m;
                              }(),
                              {1, -1, 0, 0, 1, 0, 0, 0, 1}}));

}  // namespace
