#pragma once
// One object of a scene: where it is, which way it faces, whether it is drawn and with what
// material. Items are made and destroyed by their Scene, which is told of every change so
// that the views showing it redraw.
#include <QMatrix4x4>
#include <QVector3D>
#include <cstdint>

#include "gui/scene/material.h"

namespace varmelo::gui::scene {

class Scene;

class SceneItem {
public:
    enum class Kind { Mesh, Sphere, Box };

    SceneItem(const SceneItem&) = delete;
    SceneItem& operator=(const SceneItem&) = delete;
    virtual ~SceneItem() = default;

    Kind kind() const { return kind_; }
    // Never reused within a run, so a view can tell a new item from a destroyed one that
    // happened to get the same address.
    std::uint64_t id() const { return id_; }

    bool visible() const { return visible_; }
    void setVisible(bool on);

    QVector3D position() const { return position_; }
    void setPosition(const QVector3D& p);
    // The item's own +Z axis in the world (a model frame's "at" vector).
    QVector3D direction() const { return direction_; }
    void setDirection(const QVector3D& d);
    // The item's own +Y axis; made square to the direction when the two are not.
    QVector3D up() const { return up_; }
    void setUp(const QVector3D& u);
    // Item coordinates to world coordinates: right = up x direction, up, direction, position.
    QMatrix4x4 transform() const;

    const Material& material() const { return material_; }
    void setMaterial(const Material& m);

    // A sphere around everything the item draws, in its own coordinates; false when it
    // draws nothing.
    virtual bool localBounds(QVector3D& centre, float& radius) const = 0;
    // The same in world coordinates.
    bool worldBounds(QVector3D& centre, float& radius) const;

protected:
    SceneItem(Scene& scene, Kind kind);
    void changed();

private:
    Scene& scene_;
    Kind kind_;
    std::uint64_t id_;
    bool visible_ = true;
    QVector3D position_{0, 0, 0};
    QVector3D direction_{0, 0, 1};
    QVector3D up_{0, 1, 0};
    Material material_;
};

}  // namespace varmelo::gui::scene
