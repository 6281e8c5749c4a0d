#pragma once
// What the mouse does to a view's camera. A page installs its own driver on a view; one
// driver object may serve several views, so state such as the last pointer position can be
// shared between them.
#include <QPoint>
#include <Qt>

namespace varmelo::gui::scene {

class Camera;

class CameraDriver {
public:
    virtual ~CameraDriver() = default;
    virtual void press(Camera& camera, QPoint at, Qt::MouseButton button) = 0;
    virtual void release(Camera& camera, QPoint at, Qt::MouseButton button) = 0;
    virtual void move(Camera& camera, QPoint at, Qt::MouseButtons held) = 0;
};

// Left drag orbits about the target (a pixel is a degree: up lowers the camera, right turns
// it clockwise seen from above), right drag moves the camera 10 % farther for every two
// pixels up and nearer for down. The camera never passes over the poles.
class OrbitZoomDriver : public CameraDriver {
public:
    void press(Camera& camera, QPoint at, Qt::MouseButton button) override;
    void release(Camera& camera, QPoint at, Qt::MouseButton button) override;
    void move(Camera& camera, QPoint at, Qt::MouseButtons held) override;

    QPoint lastPosition() const { return last_; }

private:
    QPoint last_{0, 0};
};

}  // namespace varmelo::gui::scene
