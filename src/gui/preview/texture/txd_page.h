#pragma once
// Page 1 of the preview panel: a texture dictionary. The list of textures appears at once;
// the thumbnails arrive from TImageLoader one texture at a time; the selected texture is
// shown large in one of three modes; the list's menu saves a texture or its mask as BMP.
#include <QImage>
#include <cstdint>
#include <memory>
#include <string>

#include "core/texture/texture_record.h"
#include "gui/preview/page_frame.h"
#include "gui/preview/texture/texture_list_model.h"

class QLabel;
class QListView;
class QMenu;
class QSplitter;
class QTabBar;

namespace varmelo::gui {

class FitImageView;
class TImageLoader;
class BitmapSaveDialog;

class TxdPage : public PreviewPageFrame {
    Q_OBJECT
public:
    TxdPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<BitmapSaveDialog> saveDialog,
            QWidget* parent = nullptr);
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

private:
    void stopLoader();
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

    std::string archivePath_;
    uint64_t offset_ = 0;
    uint64_t length_ = 0;
    int delivered_ = 0;
    int generation_ = 0;
    std::unique_ptr<TImageLoader> loader_;
};

}  // namespace varmelo::gui
