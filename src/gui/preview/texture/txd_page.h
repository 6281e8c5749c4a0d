#pragma once
// Page 1 of the preview panel: a texture dictionary. The list of textures appears at once;
// the thumbnails arrive from TImageLoader one texture at a time; the selected texture is
// shown large in one of three modes; the list's menu saves a texture or its mask as BMP.
// The same menu, and the page's own bar, edit the dictionary: each change is shown at once
// from a copy written aside, can be undone until the dictionary is saved into its entry, and
// is asked about before the entry is left.
#include <QImage>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/texture/edit_history.h"
#include "core/texture/texture_record.h"
#include "gui/preview/page_frame.h"
#include "gui/preview/texture/texture_list_model.h"

class QAction;
class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QTabBar;
class QToolBar;

namespace varmelo::gui {

class FitImageView;
class TImageLoader;
class BitmapSaveDialog;
class PreviewHost;

class TxdPage : public PreviewPageFrame {
    Q_OBJECT
public:
    TxdPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<BitmapSaveDialog> saveDialog,
            PreviewHost* host = nullptr, QWidget* parent = nullptr);
    ~TxdPage() override;

    // Shows the dictionary in bytes [offset, offset + size) of the archive file. A dictionary
    // cut short keeps the textures read before the cut, then throws FileError with its text.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) override;

    // The rows' data, for tests.
    const TTexArray& textures() const { return model_->textures(); }
    const QImage& thumb(int row) const { return model_->thumb(row); }
    const QImage& alphaThumb(int row) const { return model_->alphaThumb(row); }
    int currentRow() const;
    int thumbnailsDelivered() const { return delivered_; }
    // The loader of the dictionary shown (null before the first), for tests that wait on it.
    TImageLoader* loader() const { return loader_.get(); }

    QLabel* infoLabel() const { return info_; }
    QListView* list() const { return list_; }
    TextureListModel* model() const { return model_; }
    QTabBar* tabs() const { return tabs_; }
    FitImageView* image() const { return image_; }
    QMenu* menu() const { return menu_; }

    // The menu's two commands: the texture (mode colour) or its mask.
    void saveSelected(bool mask);

    // The editing commands, as the menu and the bar run them.
    void addTextures();
    void replaceTexture();
    void deleteTexture();
    void renameTexture();
    void changeFormat();
    void importFolder();
    void undo();
    void redo();
    // "Сохранить в архив"; false when it failed (the error has been shown).
    bool saveToArchive();
    void saveAs();

    // Whether the page holds unsaved changes of entry `entry` of the open archive.
    bool holdsEditsOf(uint32_t entry) const;
    std::optional<uint32_t> entry() const { return entry_; }
    bool modified() const { return history_.modified(); }
    // Before the entry stops being shown: with unsaved changes asks whether to save them.
    enum class Leave { Go, Saved, Stay };
    Leave leave();

    // How the next pictures are encoded; the default asks with TextureOptionsDialog. Tests
    // answer in its place.
    using OptionsChooser = std::function<std::optional<EncodeOptions>(bool withResize)>;
    void setOptionsChooser(OptionsChooser choose) { chooseOptions_ = std::move(choose); }
    QToolBar* editBar() const { return bar_; }

private:
    void stopLoader();
    // Lists the dictionary in bytes [offset, offset + size) of `path` and starts its
    // thumbnails; returns what failed ("" when the table was read whole).
    std::string showTable(const std::string& path, uint64_t offset, uint64_t size);
    void updateEditActions();
    // Reads the entry for editing when no edit has yet; false (error shown) when it cannot.
    bool startEditing();
    // One undo step of these edits; `files` name the pictures of the edits that took one, for
    // the refusal. The texture named `select` is selected afterwards. False when refused.
    bool applyEdits(const std::vector<TextureEdit>& edits, const std::vector<std::string>& files,
                    const std::string& select);
    // Shows the dictionary as it now is, from a copy written aside.
    void showEdited(const std::string& select);
    std::optional<EncodeOptions> askOptions(bool withResize);
    const TTexRec* selectedTexture() const;
    QString msg(int n) const;
    void listClick();
    void updatePreview(int tab);
    void onThumbnail(int generation, int index, QImage colour, QImage alpha, QString failure);

    std::shared_ptr<BitmapSaveDialog> saveDialog_;

    QLabel* info_ = nullptr;
    TextureListModel* model_ = nullptr;
    QListView* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    FitImageView* image_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QMenu* menu_ = nullptr;
    QToolBar* bar_ = nullptr;
    PreviewHost* host_ = nullptr;

    // What the page shows now: the entry itself, or the copy of the edited dictionary.
    std::string archivePath_;
    uint64_t offset_ = 0;
    uint64_t length_ = 0;
    int delivered_ = 0;
    int generation_ = 0;
    std::unique_ptr<TImageLoader> loader_;

    // The entry as the archive holds it.
    std::optional<uint32_t> entry_;
    std::string entryPath_, entryName_;
    uint64_t entryOffset_ = 0, entrySize_ = 0;
    bool tableWhole_ = false;  // the entry's table was read without a failure
    bool writable_ = false;
    EditHistory history_;
    std::string editedFile_;  // where the edited dictionary is written to be shown
    OptionsChooser chooseOptions_;
    EncodeOptions lastOptions_;
    // The commands that enable with the page's state.
    QAction *saveImage_ = nullptr, *saveMask_ = nullptr, *add_ = nullptr, *replace_ = nullptr, *delete_ = nullptr,
            *rename_ = nullptr, *format_ = nullptr, *import_ = nullptr, *undo_ = nullptr, *redo_ = nullptr,
            *save_ = nullptr, *saveAs_ = nullptr;
};

}  // namespace varmelo::gui
