#include "gui/preview/model/model_camera.h"

#include "core/model/orbit_camera.h"
#include "gui/scene/camera.h"
#include "gui/scene/core_vectors.h"

namespace varmelo::gui {

void ModelCameraDriver::press(scene::Camera&, QPoint at, Qt::MouseButton) { pointer_->last = at; }

void ModelCameraDriver::release(scene::Camera&, QPoint at, Qt::MouseButton) { pointer_->last = at; }

void ModelCameraDriver::move(scene::Camera& camera, QPoint at, Qt::MouseButtons held) {
    const Vec3 position = toVec3(camera.position());
    const Vec3 target = toVec3(camera.target());
    const QPoint last = pointer_->last;
    if (held & Qt::LeftButton) {
        camera.setPosition(toQt(orbitCamera(position, target, last.y() - at.y(), last.x() - at.x())));
    } else if (held & Qt::RightButton) {
        camera.setPosition(toQt(zoomCamera(position, target, last.y() - at.y())));
    } else {
        return;
    }
    pointer_->last = at;
}

void PressAndDragDriver::press(scene::Camera& camera, QPoint at, Qt::MouseButton button) {
    if (inner_) inner_->press(camera, at, button);
}

void PressAndDragDriver::move(scene::Camera& camera, QPoint at, Qt::MouseButtons held) {
    if (inner_) inner_->move(camera, at, held);
}

void fitCameraToRadius(scene::Camera& camera, float radius) {
    camera.setPosition(toQt(fitCamera(toVec3(camera.position()), toVec3(camera.target()), radius)));
}

}  // namespace varmelo::gui
