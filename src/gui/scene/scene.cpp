#include "gui/scene/scene.h"

#include <algorithm>

namespace varmelo::gui::scene {

Scene::Scene(QObject* parent) : QObject(parent) {}

Scene::~Scene() = default;

template <class T>
T& Scene::add() {
    auto item = std::make_unique<T>(*this);
    T& ref = *item;
    items_.push_back(std::move(item));
    notifyChanged();
    return ref;
}

Mesh& Scene::addMesh() { return add<Mesh>(); }
Sphere& Scene::addSphere() { return add<Sphere>(); }
Box& Scene::addBox() { return add<Box>(); }

void Scene::remove(SceneItem* item) {
    auto it = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    if (it == items_.end()) return;
    camera_.forgetItem(item);
    items_.erase(it);
    notifyChanged();
}

void Scene::notifyChanged() {
    if (changePending_) return;
    changePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            changePending_ = false;
            emit changed();
        },
        Qt::QueuedConnection);
}

void Scene::setLight(const Light& light) {
    light_ = light;
    notifyChanged();
}

bool Scene::bounds(QVector3D& centre, float& radius) const {
    // Box around the item spheres first, then a sphere around the box's corners' reach:
    // not the tightest sphere, but never too small.
    bool any = false;
    QVector3D lo, hi;
    for (const auto& item : items_) {
        QVector3D c;
        float r = 0;
        if (!item->visible() || !item->worldBounds(c, r)) continue;
        const QVector3D a = c - QVector3D(r, r, r), b = c + QVector3D(r, r, r);
        if (!any) {
            lo = a;
            hi = b;
            any = true;
        } else {
            lo = QVector3D(std::min(lo.x(), a.x()), std::min(lo.y(), a.y()), std::min(lo.z(), a.z()));
            hi = QVector3D(std::max(hi.x(), b.x()), std::max(hi.y(), b.y()), std::max(hi.z(), b.z()));
        }
    }
    if (!any) return false;
    centre = (lo + hi) / 2;
    radius = (hi - lo).length() / 2;
    return true;
}

}  // namespace varmelo::gui::scene
