// Orbit, zoom and fit of the 3D views' cameras.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/math/orbit_camera.h"

using namespace varmelo;

namespace {

constexpr Vec3 kStart{60, 30, 20};  // where both views' cameras start
constexpr Vec3 kOrigin{};

double angleFromUp(Vec3 p, Vec3 target) { return std::acos(double(normalized(p - target).z)); }

TEST(FitCamera, RadiusFiftyPutsTheCameraFiveHundredAway) {
    const Vec3 p = fitCamera(kStart, kOrigin, 50);
    EXPECT_NEAR(length(p), 500, 1e-3);
    EXPECT_NEAR(p.x / p.y, 2, 1e-5);  // the direction is kept
    EXPECT_NEAR(p.y / p.z, 1.5, 1e-5);
}

TEST(FitCamera, ScalesThePositionByTheDistanceToAnOffTarget) {
    // The collision view aims at the bounding centre but scales from the origin.
    const Vec3 p = fitCamera({0, 0, 10}, {0, 0, 5}, 2);
    EXPECT_NEAR(p.z, 10.0 / 5 * 2 * 10, 1e-4);
}

TEST(FitCamera, ZeroRadiusOrCameraOnTargetKeepsTheCamera) {
    EXPECT_EQ(fitCamera(kStart, kOrigin, 0), kStart);
    EXPECT_EQ(fitCamera(kStart, kStart, 5), kStart);
    EXPECT_EQ(fitCamera(kStart, kOrigin, NAN), kStart);
}

struct ZoomRow {
    double pixels;
    double ratio;
};

class ZoomCamera : public testing::TestWithParam<ZoomRow> {};

TEST_P(ZoomCamera, DistanceScalesByPowersOfOnePointOne) {
    const Vec3 target{1, 2, 3};
    const Vec3 p = zoomCamera(kStart, target, GetParam().pixels);
    EXPECT_NEAR(length(p - target) / length(kStart - target), GetParam().ratio, 1e-5);
    EXPECT_NEAR(angleFromUp(p, target), angleFromUp(kStart, target), 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Pixels, ZoomCamera,
                         testing::Values(ZoomRow{0, 1}, ZoomRow{2, 1.1}, ZoomRow{-2, 1 / 1.1}, ZoomRow{1, std::sqrt(1.1)},
                                         ZoomRow{20, std::pow(1.1, 10)}));

TEST(OrbitCamera, PitchAddsToTheAngleFromUpAndKeepsTheDistance) {
    const double before = angleFromUp(kStart, kOrigin);
    const Vec3 p = orbitCamera(kStart, kOrigin, 10, 0);
    EXPECT_NEAR(angleFromUp(p, kOrigin), before + 10 * std::numbers::pi / 180, 1e-5);
    EXPECT_NEAR(length(p), length(kStart), 1e-3);
    EXPECT_NEAR(p.x / p.y, 2, 1e-4);  // same side of the target
}

TEST(OrbitCamera, NegativeTurnIsClockwiseSeenFromAbove) {
    // The pointer moving right by 90 pixels gives a turn delta of -90.
    const Vec3 p = orbitCamera({10, 0, 0}, kOrigin, 0, -90);
    EXPECT_NEAR(p.x, 0, 1e-4);
    EXPECT_NEAR(p.y, -10, 1e-4);
    EXPECT_NEAR(p.z, 0, 1e-4);
}

class OrbitPole : public testing::TestWithParam<double> {};

TEST_P(OrbitPole, StopsShortOfThePoles) {
    const double pitch = GetParam();
    const Vec3 target{5, 5, 5};
    const Vec3 p = orbitCamera(kStart + target, target, pitch, 0);
    const double expected = pitch < 0 ? kPolarMargin : std::numbers::pi - kPolarMargin;
    EXPECT_NEAR(angleFromUp(p, target), expected, 1e-4);
    EXPECT_NEAR(length(p - target), length(kStart), 1e-3);
    // From straight above (no defined side) it still moves off the pole.
    const Vec3 q = orbitCamera({0, 0, 10}, kOrigin, pitch, 0);
    EXPECT_NEAR(angleFromUp(q, kOrigin), expected, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Degrees, OrbitPole, testing::Values(-400.0, -180.0, 180.0, 720.0));

TEST(OrbitCamera, CameraOnItsTargetStays) { EXPECT_EQ(orbitCamera(kStart, kStart, 10, 10), kStart); }

}  // namespace
