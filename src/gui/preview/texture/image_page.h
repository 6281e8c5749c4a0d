#pragma once
// Pages 5 (DDS) and 6 (TGA): a picture file shown in a 2D view that pans and zooms. Both
// pages work on one ImageScene, so they share picture, camera and blending.
#include <cstdint>
#include <memory>
#include <string>

#include "gui/preview/page_frame.h"

class QAction;
class QLabel;
class QMenu;

namespace varmelo::gui {

class ImageScene;
class ImageView;
class BitmapSaveDialog;

class ImagePage : public PreviewPageFrame {
    Q_OBJECT
public:
    // `format` is a picture format (EntryFormat::Dds or EntryFormat::Tga): its row gives the loader.
    ImagePage(EntryFormat format, ImageScene& scene, const MessageTable& messages, Prompts& prompts,
              std::shared_ptr<BitmapSaveDialog> saveDialog, QWidget* parent = nullptr);

    // Decodes the picture straight from bytes [offset, offset + size) of the archive file.
    // A picture the loader refuses throws (FormatError / FileError) after the name and size
    // labels are set; the scene and the shown page are then left as they were.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) override;

    QLabel* dimensionLabel() const { return dims_; }
    ImageView* view() const { return view_; }
    QMenu* menu() const { return menu_; }
    QAction* alphaAction() const { return alpha_; }

    // "Сохранить...": the scene's picture as a 32-bit BMP with alpha, under exactly the name
    // chosen.
    void savePicture();

private:
    ImageScene& scene_;
    std::shared_ptr<BitmapSaveDialog> saveDialog_;
    LoadedImage (*loadPicture_)(EntryReader& entry);

    QLabel* dims_ = nullptr;
    ImageView* view_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* alpha_ = nullptr;
    QAction* save_ = nullptr;
};

}  // namespace varmelo::gui
