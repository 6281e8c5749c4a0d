#pragma once
// The mouse and the camera of the two 3D pages. One driver serves both views, so a drag that
// starts in one view continues from the pointer position the other view saw last. The moves
// themselves are the core's camera maths; this file only converts between vector types.
#include <QPoint>
#include <memory>

#include "gui/preview/pointer_position.h"
#include "gui/scene/camera_driver.h"

namespace varmelo::gui {

class ModelCameraDriver : public scene::CameraDriver {
public:
    // The position may be shared with other views; without one the driver keeps its own.
    explicit ModelCameraDriver(std::shared_ptr<PointerPosition> pointer = std::make_shared<PointerPosition>())
        : pointer_(std::move(pointer)) {}

    void press(scene::Camera& camera, QPoint at, Qt::MouseButton button) override;
    void release(scene::Camera& camera, QPoint at, Qt::MouseButton button) override;
    // Left drag orbits (the left button wins when both are held), right drag zooms; with no
    // button held the last position stays as it was.
    void move(scene::Camera& camera, QPoint at, Qt::MouseButtons held) override;

    QPoint lastPosition() const { return pointer_->last; }

private:
    std::shared_ptr<PointerPosition> pointer_;
};

// What the collision view hands on to the shared driver: presses and drags, not releases, so
// a release there leaves the last position where the drag left it.
class PressAndDragDriver : public scene::CameraDriver {
public:
    explicit PressAndDragDriver(std::shared_ptr<scene::CameraDriver> inner) : inner_(std::move(inner)) {}
    void press(scene::Camera& camera, QPoint at, Qt::MouseButton button) override;
    void release(scene::Camera&, QPoint, Qt::MouseButton) override {}
    void move(scene::Camera& camera, QPoint at, Qt::MouseButtons held) override;

private:
    std::shared_ptr<scene::CameraDriver> inner_;
};

// Scales the camera's position by 10 x radius over its distance to the target (the core's
// fit): with the target at the origin the camera ends 10 x radius away in the same direction.
// A zero radius leaves it where it is.
void fitCameraToRadius(scene::Camera& camera, float radius);

}  // namespace varmelo::gui
