#include "gui/scene/camera_driver.h"

#include "core/model/orbit_camera.h"
#include "gui/scene/camera.h"
#include "gui/scene/core_vectors.h"

namespace varmelo::gui::scene {

void OrbitZoomDriver::press(Camera&, QPoint at, Qt::MouseButton) { last_ = at; }

void OrbitZoomDriver::release(Camera&, QPoint at, Qt::MouseButton) { last_ = at; }

void OrbitZoomDriver::move(Camera& camera, QPoint at, Qt::MouseButtons held) {
    const Vec3 position = toVec3(camera.position());
    const Vec3 target = toVec3(camera.target());
    if (held & Qt::LeftButton) {
        camera.setPosition(toQt(orbitCamera(position, target, last_.y() - at.y(), last_.x() - at.x())));
    } else if (held & Qt::RightButton) {
        camera.setPosition(toQt(zoomCamera(position, target, last_.y() - at.y())));
    } else {
        return;
    }
    last_ = at;
}

}  // namespace varmelo::gui::scene
