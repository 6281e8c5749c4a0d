#include "gui/scene/scene_item.h"

#include <atomic>
#include <cmath>

#include "gui/scene/scene.h"

namespace varmelo::gui::scene {

namespace {
std::atomic<std::uint64_t> nextId{1};
}

SceneItem::SceneItem(Scene& scene, Kind kind) : scene_(scene), kind_(kind), id_(nextId++) {}

void SceneItem::changed() { scene_.notifyChanged(); }

void SceneItem::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    changed();
}

void SceneItem::setPosition(const QVector3D& p) {
    position_ = p;
    changed();
}

void SceneItem::setDirection(const QVector3D& d) {
    direction_ = d;
    changed();
}

void SceneItem::setUp(const QVector3D& u) {
    up_ = u;
    changed();
}

void SceneItem::setMaterial(const Material& m) {
    material_ = m;
    changed();
}

QMatrix4x4 SceneItem::transform() const {
    // Files hand us frames that are not always square or of unit length; a zero or parallel
    // pair falls back to the world axes rather than collapsing the item to a point.
    QVector3D z = direction_.normalized();
    if (z.isNull()) z = {0, 0, 1};
    QVector3D y = up_ - QVector3D::dotProduct(up_, z) * z;
    if (y.length() < 1e-6f) {
        y = std::fabs(z.y()) < 0.9f ? QVector3D(0, 1, 0) : QVector3D(1, 0, 0);
        y = y - QVector3D::dotProduct(y, z) * z;
    }
    y.normalize();
    const QVector3D x = QVector3D::crossProduct(y, z);
    QMatrix4x4 m;
    m.setColumn(0, QVector4D(x, 0));
    m.setColumn(1, QVector4D(y, 0));
    m.setColumn(2, QVector4D(z, 0));
    m.setColumn(3, QVector4D(position_, 1));
    return m;
}

bool SceneItem::worldBounds(QVector3D& centre, float& radius) const {
    QVector3D c;
    float r = 0;
    if (!localBounds(c, r)) return false;
    // The transform is a rotation and a move, so the radius is unchanged.
    centre = transform().map(c);
    radius = r;
    return true;
}

}  // namespace varmelo::gui::scene
