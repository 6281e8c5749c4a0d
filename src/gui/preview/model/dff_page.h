#pragma once
// Page 2 of the preview panel: a model (DFF) in the model view, one checkable row per atomic.
// A row's check box shows or hides its part; the selected row's part is painted red. The
// camera keeps the direction and zoom the user gave it; a new model only sets its distance.
#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/model/dff_parts.h"
#include "gui/preview/page_frame.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QSplitter;

namespace varmelo::gui {

namespace scene {
class CameraDriver;
class Mesh;
class Scene;
class SceneView;
}  // namespace scene

class DffPage : public PreviewPageFrame {
    Q_OBJECT
public:
    static constexpr const char* kExportFilter = "glTF 2.0 (*.glb)|*.glb|glTF 2.0, текст (*.gltf)|*.gltf";

    // Without GL (offscreen widget tests) the view is a plain placeholder; the scene is
    // filled all the same.
    DffPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<scene::CameraDriver> driver,
            QWidget* parent = nullptr);
    ~DffPage() override;

    // Shows page 2 with what the clump holds; a file cut short shows what was read and
    // then throws FileError.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) override;

    QLabel* info() const { return info_; }
    // Says how many parts hold geometry in a console's own format, which is not drawn;
    // hidden when there is none.
    QLabel* status() const { return status_; }
    QListWidget* list() const { return list_; }
    QSplitter* splitter() const { return splitter_; }
    scene::Scene& scene() const { return *scene_; }
    // Null without GL.
    scene::SceneView* view() const { return view_; }
    // The mesh of row i, null for a row that draws nothing.
    scene::Mesh* partMesh(int row) const;

    // On: 2x multisampling; off: none.
    void setAntialiasing(bool on);

    // The list's context menu.
    QMenu* menu() const { return menu_; }
    // "Экспорт модели...": the model shown, as glTF with the textures of the dictionary named
    // like it in the same archive; a name without an extension gets the chosen filter's.
    void exportModel();

private:
    void rowChanged(QListWidgetItem* item);
    void selectionChanged();

    QLabel* info_ = nullptr;
    QLabel* status_ = nullptr;
    QListWidget* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    scene::Scene* scene_ = nullptr;
    scene::SceneView* view_ = nullptr;
    std::vector<scene::Mesh*> meshes_;
    QMenu* menu_ = nullptr;
    // Where the model shown lies, for the export to read it again.
    std::string archivePath_;
    uint64_t offset_ = 0;
    uint64_t size_ = 0;
    std::string name_;
};

}  // namespace varmelo::gui
