#include "gui/scene/camera_driver.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gui/scene/camera.h"

namespace varmelo::gui::scene {

namespace {

constexpr double kPoleMargin = 0.025;

// Angles about the camera's up axis, assumed to be +Z.
void orbit(Camera& camera, double pitchDegrees, double turnDegrees) {
    const QVector3D target = camera.target();
    const QVector3D offset = camera.position() - target;
    const double r = offset.length();
    if (r <= 0) return;
    double pitch = std::acos(std::clamp(double(offset.z()) / r, -1.0, 1.0));
    double turn = std::atan2(double(offset.y()), double(offset.x()));
    pitch = std::clamp(pitch + pitchDegrees * std::numbers::pi / 180, kPoleMargin, std::numbers::pi - kPoleMargin);
    turn += turnDegrees * std::numbers::pi / 180;
    const QVector3D dir(float(std::sin(pitch) * std::cos(turn)), float(std::sin(pitch) * std::sin(turn)),
                        float(std::cos(pitch)));
    camera.setPosition(target + dir * float(r));
}

}  // namespace

void OrbitZoomDriver::press(Camera&, QPoint at, Qt::MouseButton) { last_ = at; }

void OrbitZoomDriver::release(Camera&, QPoint at, Qt::MouseButton) { last_ = at; }

void OrbitZoomDriver::move(Camera& camera, QPoint at, Qt::MouseButtons held) {
    if (held & Qt::LeftButton) {
        orbit(camera, last_.y() - at.y(), last_.x() - at.x());
    } else if (held & Qt::RightButton) {
        camera.setDistance(float(camera.distance() * std::pow(1.1, (last_.y() - at.y()) / 2.0)));
    } else {
        return;
    }
    last_ = at;
}

}  // namespace varmelo::gui::scene
