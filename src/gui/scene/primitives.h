#pragma once
// The two solids the collision view is made of: a sphere and an axis-aligned box, both
// centred on their position.
#include "gui/scene/scene_item.h"

namespace varmelo::gui::scene {

class Sphere : public SceneItem {
public:
    explicit Sphere(Scene& scene) : SceneItem(scene, Kind::Sphere) {}

    float radius() const { return radius_; }
    void setRadius(float r);
    int slices() const { return slices_; }
    int stacks() const { return stacks_; }
    // At least 3 slices and 2 stacks.
    void setTessellation(int slices, int stacks);

    bool localBounds(QVector3D& centre, float& radius) const override;

private:
    float radius_ = 1.0f;
    int slices_ = 12;
    int stacks_ = 12;
};

class Box : public SceneItem {
public:
    explicit Box(Scene& scene) : SceneItem(scene, Kind::Box) {}

    // Width along x, height along y, depth along z.
    QVector3D size() const { return size_; }
    void setSize(const QVector3D& size);

    bool localBounds(QVector3D& centre, float& radius) const override;

private:
    QVector3D size_{1, 1, 1};
};

}  // namespace varmelo::gui::scene
