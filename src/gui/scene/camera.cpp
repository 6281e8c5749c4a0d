#include "gui/scene/camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gui/scene/scene.h"
#include "gui/scene/scene_item.h"

namespace varmelo::gui::scene {

void Camera::setPosition(const QVector3D& p) {
    position_ = p;
    scene_.notifyChanged();
}

QVector3D Camera::target() const { return targetItem_ ? targetItem_->position() : targetPoint_; }

void Camera::setTarget(const QVector3D& point) {
    targetItem_ = nullptr;
    targetPoint_ = point;
    scene_.notifyChanged();
}

void Camera::setTarget(const SceneItem* item) {
    if (item) targetPoint_ = item->position();
    targetItem_ = item;
    scene_.notifyChanged();
}

void Camera::forgetItem(const SceneItem* item) {
    if (targetItem_ != item) return;
    targetPoint_ = item->position();
    targetItem_ = nullptr;
}

void Camera::setUp(const QVector3D& u) {
    up_ = u;
    scene_.notifyChanged();
}

void Camera::setFieldOfView(float degrees) {
    fieldOfView_ = std::clamp(degrees, 1.0f, 179.0f);
    scene_.notifyChanged();
}

void Camera::setDepthOfView(float distance) {
    depthOfView_ = std::max(0.0f, distance);
    scene_.notifyChanged();
}

void Camera::setDistance(float d) {
    const QVector3D t = target();
    QVector3D dir = (position_ - t).normalized();
    if (dir.isNull()) dir = {0, -1, 0};
    position_ = t + dir * d;
    scene_.notifyChanged();
}

QMatrix4x4 Camera::viewMatrix() const {
    QVector3D eye = position_;
    QVector3D centre = target();
    if ((eye - centre).lengthSquared() == 0) centre = eye + QVector3D(0, 1, 0);
    // Looking straight along the up axis leaves no sideways direction; borrow one.
    QVector3D up = up_;
    const QVector3D look = (centre - eye).normalized();
    if (QVector3D::crossProduct(look, up.normalized()).length() < 1e-4f)
        up = std::fabs(look.y()) < 0.9f ? QVector3D(0, 1, 0) : QVector3D(1, 0, 0);
    QMatrix4x4 m;
    m.lookAt(eye, centre, up);
    return m;
}

QMatrix4x4 Camera::projectionMatrix(int w, int h, const QVector3D& sceneCentre, float sceneRadius) const {
    w = std::max(w, 1);
    h = std::max(h, 1);
    const double half = fieldOfView_ * std::numbers::pi / 360.0;
    // The angle is across the shorter side; the vertical angle follows from it.
    const double fovY = w >= h ? 2 * half : 2 * std::atan(std::tan(half) * h / w);

    const float d = (sceneCentre - position_).length();
    float farPlane = std::max(d + sceneRadius, 1e-3f) * 1.01f;
    if (depthOfView_ > 0) farPlane = std::min(farPlane, depthOfView_);
    // Inside the scene the near plane cannot be its front; 1/10000 of the far plane keeps
    // the 24-bit depth buffer from fighting.
    float nearPlane = std::max((d - sceneRadius) * 0.99f, farPlane * 1e-4f);
    if (nearPlane >= farPlane) nearPlane = farPlane * 0.5f;

    QMatrix4x4 m;
    m.perspective(float(fovY * 180.0 / std::numbers::pi), float(w) / float(h), nearPlane, farPlane);
    return m;
}

}  // namespace varmelo::gui::scene
