#pragma once
// The root of a scene: the items it holds, its camera and its light. Every change to any of
// them raises changed(), which the views showing the scene answer with one redraw.
#include <QObject>
#include <memory>
#include <vector>

#include "gui/scene/camera.h"
#include "gui/scene/light.h"
#include "gui/scene/mesh.h"
#include "gui/scene/primitives.h"

namespace varmelo::gui::scene {

class Scene : public QObject {
    Q_OBJECT
public:
    explicit Scene(QObject* parent = nullptr);
    ~Scene() override;

    // New items, drawn in the order made; the scene owns them until remove() or its end.
    Mesh& addMesh();
    Sphere& addSphere();
    Box& addBox();
    // Destroys the item; a pointer that is not of this scene is ignored.
    void remove(SceneItem* item);
    const std::vector<std::unique_ptr<SceneItem>>& items() const { return items_; }

    Camera& camera() { return camera_; }
    const Camera& camera() const { return camera_; }

    const Light& light() const { return light_; }
    void setLight(const Light& light);

    // A sphere around every visible item; false when nothing is shown.
    bool bounds(QVector3D& centre, float& radius) const;

    // Many changes in one go (a mesh filled vertex by vertex) raise changed() once, when
    // control is back in the event loop.
    void notifyChanged();

signals:
    void changed();

private:
    template <class T>
    T& add();

    std::vector<std::unique_ptr<SceneItem>> items_;
    Camera camera_{*this};
    Light light_;
    bool changePending_ = false;
};

}  // namespace varmelo::gui::scene
