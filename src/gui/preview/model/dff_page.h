#pragma once
// Page 2 of the preview panel: a model (DFF) in the model view, one checkable row per atomic.
// A row's check box shows or hides its part; the selected row's part is painted red. The
// camera keeps the direction and zoom the user gave it; a new model only sets its distance.
//
// The page's menu (on the list, and on a right click without a drag in the view) switches the
// game look: textures from the model's dictionary in the open archive, every wheel, the
// damaged and far-away parts hidden, the selected part tinted red. Off, the plain silver look.
// When the host knows the game, the textures come from the game's dictionary chain instead, a
// car wears its first colour set (or the one "Цвета..." picks), its wheels take the size its
// item definition gives, one optional part (extra1 ... extra6) is shown, and a line under the
// counts says how the game knows the model.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/game/carcols_file.h"
#include "core/game/game_folder.h"
#include "core/model/dff_parts.h"
#include "core/view/game_model_record.h"
#include "core/view/game_view_rules.h"
#include "core/view/model_textures.h"
#include "gui/preview/model/model_meshes.h"
#include "gui/preview/page_frame.h"

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QSplitter;

namespace varmelo {
struct GameData;
}

namespace varmelo::gui {

class FileDialogFilter;
class PreviewHost;

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
    // filled all the same. Without a host there is no archive to take textures from and the
    // game look starts off.
    DffPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<scene::CameraDriver> driver,
            PreviewHost* host = nullptr, QWidget* parent = nullptr);
    ~DffPage() override;

    // Shows page 2 with what the clump holds; a file cut short shows what was read and
    // then throws FileError, and so does a dictionary that cannot be read.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) override;

    QLabel* info() const { return info_; }
    // "Модель в игре: ..." in the game look of a model the game's item definitions name;
    // hidden otherwise.
    QLabel* gameLine() const { return gameLine_; }
    // Says how many parts hold geometry in a console's own format, which is not drawn;
    // hidden when there is none.
    QLabel* status() const { return status_; }
    QListWidget* list() const { return list_; }
    QSplitter* splitter() const { return splitter_; }
    scene::Scene& scene() const { return *scene_; }
    // Null without GL.
    scene::SceneView* view() const { return view_; }
    // The mesh of row i (its part where the file places it), null for a row that draws nothing.
    scene::Mesh* partMesh(int row) const;
    // Every mesh of row i: its part, then in the game look the wheel's copies on the dummies.
    std::vector<scene::Mesh*> rowMeshes(int row) const;

    QMenu* menu() const { return menu_; }
    QAction* gameViewItem() const { return gameViewItem_; }
    QAction* dictionaryItem() const { return dictionaryItem_; }
    QAction* exportItem() const { return exportItem_; }
    QAction* coloursItem() const { return coloursItem_; }
    QAction* extraItem() const { return extraItem_; }
    QAction* nightItem() const { return nightItem_; }

    bool gameView() const { return gameView_; }
    // Redraws the model shown in that look and keeps the choice in the settings.
    void setGameView(bool on);
    // The dictionary entry the model shown takes its textures from; empty when none.
    const std::string& dictionaryName() const { return dictionaryName_; }
    const ModelTextures& textures() const { return textures_; }

    // On: 2x multisampling; off: none.
    void setAntialiasing(bool on);

    // Asks for another dictionary of the archive for the model shown ("Словарь текстур...").
    void chooseDictionary();
    // "Экспорт модели...": the model shown, as glTF with the textures the game look takes (the
    // dictionary chosen for it, else the one named like it); a name without an extension gets
    // the chosen filter's. In the game look it is written as shown: painted, every wheel on
    // its dummy, the parts unchecked left out.
    void exportModel();
    // "Цвета...": another of the car's colour sets; the status bar names the set worn.
    void chooseColours();
    // "Дополнительная деталь...": which of the optional parts the game look shows.
    void chooseExtra();
    // "Ночь": the game look's prelight by night (San Andreas' night colours) or by day.
    void setNight(bool on);
    bool night() const { return night_; }
    // The game the host knows has changed: the game look is drawn again from it.
    void gameChanged();

private:
    void buildMenu();
    QAction* addMenuItem(const char* name, std::function<void(bool)> run);
    void prepareMenu();
    void popupMenu(QWidget* over, const QPoint& at);
    void loadTextures();
    ModelTextures readTextures();
    ModelTextures readGameTextures(const GameData& game);
    std::optional<size_t> chosenDictionary(const std::vector<std::string>& names);
    void showMissingTextures();
    void showGameLine();
    // paintedClump_ from the game's paint (the colour set worn) and wheel; null when the model
    // is drawn as the file has it.
    void paintModel();
    void rebuildMeshes();
    void applyRowStarts();
    void rowChanged(QListWidgetItem* item);
    void selectionChanged();

    PreviewHost* host_ = nullptr;
    QLabel* info_ = nullptr;
    QLabel* gameLine_ = nullptr;
    QLabel* status_ = nullptr;
    QListWidget* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    scene::Scene* scene_ = nullptr;
    scene::SceneView* view_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* gameViewItem_ = nullptr;
    QAction* dictionaryItem_ = nullptr;
    QAction* exportItem_ = nullptr;
    QAction* coloursItem_ = nullptr;
    QAction* extraItem_ = nullptr;
    QAction* nightItem_ = nullptr;
    FileDialogFilter* exportFilter_ = nullptr;
    // Where the model shown lies, for the export to read it again.
    std::string archivePath_;
    uint64_t offset_ = 0;
    uint64_t size_ = 0;

    // The model shown, kept so a change of look redraws it without reading it again.
    std::unique_ptr<DffClump> clump_;
    std::vector<DffPart> parts_;
    std::string modelName_;
    std::vector<std::vector<scene::Mesh*>> meshes_;  // per row

    bool gameView_ = false;
    bool night_ = false;
    bool texturesLoaded_ = false;  // textures_ belong to the model shown
    ModelTextures textures_;
    ModelTextureSet textureSet_;
    // The model shown in the paint the game gives it; null when it keeps its own colours.
    std::unique_ptr<DffClump> paintedClump_;
    // What the game says of the model shown (game look with a game only).
    struct InGame {
        GameKind kind = GameKind::Sa;
        std::optional<GameModelRecord> record;
        std::vector<std::string> chain;
        std::vector<std::vector<uint8_t>> colourSets;
        std::vector<std::vector<PaletteColour>> setPaints;
        size_t colourSet = 0;  // the set worn
        WheelSizes wheels;
        std::optional<DffClump> wheeled;  // the car on the wheel model its IDE line names
    };
    InGame inGame_;
    std::optional<size_t> pickedExtra_;  // the optional part's row; the first when none
    std::string dictionaryName_;
    std::string textureError_;  // why the dictionary could not be read; empty when it could
    bool statusShown_ = false;  // the status bar holds our list of missing textures
    // The dictionary chosen for a model (upper-case name -> entry name) while one archive stays open.
    std::map<std::string, std::string> chosenDictionaries_;
    uint64_t choicesSerial_ = 0;
};

}  // namespace varmelo::gui
