#pragma once
// Page 4 of the preview panel: the records of a collision file (COL) in a list, the selected
// one in the collision view: its spheres, boxes and triangle mesh, inside the red wireframe
// of its bounding sphere and box. The camera follows the bounding sphere.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gui/preview/page_frame.h"

class QLabel;
class QListWidget;
class QSplitter;

namespace varmelo::gui {

namespace scene {
class Box;
class CameraDriver;
class Mesh;
class Scene;
class SceneItem;
class SceneView;
class Sphere;
}  // namespace scene

class ColPage : public PreviewPageFrame {
    Q_OBJECT
public:
    ColPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<scene::CameraDriver> driver,
            QWidget* parent = nullptr);
    ~ColPage() override;

    // Lists the records and shows the first. Without any record the panel keeps its page
    // (the labels are set all the same). A damaged file lists what was found, then throws.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) override;

    QLabel* info() const { return info_; }
    QListWidget* list() const { return list_; }
    QSplitter* splitter() const { return splitter_; }
    scene::Scene& scene() const { return *scene_; }
    scene::SceneView* view() const { return view_; }
    scene::Sphere& boundingSphere() const { return *boundSphere_; }
    scene::Box& boundingBox() const { return *boundBox_; }
    scene::Mesh& collisionMesh() const { return *mesh_; }
    const std::vector<scene::SceneItem*>& shapes() const { return shapes_; }

    void setAntialiasing(bool on);

private:
    // Reads the record of `row` again from the archive and puts it in the scene.
    void showRecord(int row);

    QLabel* info_ = nullptr;
    QListWidget* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    scene::Scene* scene_ = nullptr;
    scene::SceneView* view_ = nullptr;
    scene::Sphere* boundSphere_ = nullptr;
    scene::Box* boundBox_ = nullptr;
    scene::Mesh* mesh_ = nullptr;
    // The collision spheres and boxes of the shown record, owned by the scene.
    std::vector<scene::SceneItem*> shapes_;
    std::string archivePath_;
    uint64_t entryOffset_ = 0;
    uint64_t entrySize_ = 0;
};

}  // namespace varmelo::gui
