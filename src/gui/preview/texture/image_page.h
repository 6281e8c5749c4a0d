#pragma once
// Pages 5 (DDS) and 6 (TGA): a picture file shown in a 2D view that pans and zooms. Both
// pages work on one ImageScene, so they share picture, camera and blending.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/preview/preview_page.h"

class QAction;
class QLabel;
class QMenu;

namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class Prompts;
class ImageScene;
class ImageView;
class BitmapSaveDialog;

class ImagePage : public QWidget {
    Q_OBJECT
public:
    using ShowPage = std::function<void(PreviewPage)>;

    // `kind` is PreviewPage::Dds or PreviewPage::Tga and picks the loader.
    ImagePage(PreviewPage kind, ImageScene& scene, const MessageTable& messages, Prompts& prompts,
              std::shared_ptr<BitmapSaveDialog> saveDialog, QWidget* parent = nullptr);

    void setShowPage(ShowPage show) { showPage_ = std::move(show); }

    // Decodes the picture straight from bytes [offset, offset + size) of the archive file.
    // A picture the loader refuses throws (FormatError / FileError) after the name and size
    // labels are set; the scene and the shown page are then left as they were.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name);

    QLabel* nameLabel() const { return name_; }
    QLabel* sizeLabel() const { return size_; }
    QLabel* dimensionLabel() const { return dims_; }
    ImageView* view() const { return view_; }
    QMenu* menu() const { return menu_; }
    QAction* alphaAction() const { return alpha_; }

    // "Сохранить...": the scene's picture as a 32-bit BMP with alpha, under exactly the name
    // chosen.
    void savePicture();

private:
    PreviewPage kind_;
    ImageScene& scene_;
    const MessageTable& messages_;
    Prompts& prompts_;
    std::shared_ptr<BitmapSaveDialog> saveDialog_;
    ShowPage showPage_;

    QLabel* name_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* dims_ = nullptr;
    ImageView* view_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* alpha_ = nullptr;
    QAction* save_ = nullptr;
};

}  // namespace varmelo::gui
