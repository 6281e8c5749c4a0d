#pragma once
// A perspective camera aimed at a target: a fixed point, or an item of the scene whose
// position it follows. The up axis is +Z unless set otherwise.
#include <QMatrix4x4>
#include <QVector3D>

namespace varmelo::gui::scene {

class Scene;
class SceneItem;

class Camera {
public:
    explicit Camera(Scene& scene) : scene_(scene) {}
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    QVector3D position() const { return position_; }
    void setPosition(const QVector3D& p);

    // The target item's position while there is one, else the target point.
    QVector3D target() const;
    void setTarget(const QVector3D& point);
    // The item must belong to the camera's scene; destroying it leaves the camera aimed at
    // where the item was.
    void setTarget(const SceneItem* item);
    const SceneItem* targetItem() const { return targetItem_; }

    QVector3D up() const { return up_; }
    void setUp(const QVector3D& u);

    // Degrees across the shorter side of the view.
    float fieldOfView() const { return fieldOfView_; }
    void setFieldOfView(float degrees);
    // Nothing farther than this from the camera is drawn; 0 for no limit.
    float depthOfView() const { return depthOfView_; }
    void setDepthOfView(float distance);

    float distance() const { return (position_ - target()).length(); }
    // Moves along the line from the target through the camera; a camera sitting on its
    // target steps back along -Y.
    void setDistance(float d);

    QMatrix4x4 viewMatrix() const;
    // The projection for a view of w x h pixels showing a scene that lies within the given
    // sphere: the clip planes hug the scene so the depth buffer is spent where it is seen.
    QMatrix4x4 projectionMatrix(int w, int h, const QVector3D& sceneCentre, float sceneRadius) const;

private:
    friend class Scene;
    void forgetItem(const SceneItem* item);

    Scene& scene_;
    QVector3D position_{60, 30, 20};
    QVector3D targetPoint_{0, 0, 0};
    const SceneItem* targetItem_ = nullptr;
    QVector3D up_{0, 0, 1};
    float fieldOfView_ = 58.5f;
    float depthOfView_ = 10000.0f;
};

}  // namespace varmelo::gui::scene
