#pragma once
// Page 1 of the preview panel: a texture dictionary. The list of textures appears at once;
// the thumbnails arrive from TImageLoader one texture at a time; the selected texture is
// shown large in one of three modes; the list's menu saves a texture or its mask as BMP.
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/preview/preview_page.h"
#include "core/texture/texture_record.h"

class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QTabBar;

namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class Prompts;
class FitImageView;
class TImageLoader;
class BitmapSaveDialog;

class TxdPage : public QWidget {
    Q_OBJECT
public:
    using ShowPage = std::function<void(PreviewPage)>;

    TxdPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<BitmapSaveDialog> saveDialog,
            QWidget* parent = nullptr);
    ~TxdPage() override;

    // Asks the panel to show a page; the page asks for itself at the start of every preview.
    void setShowPage(ShowPage show) { showPage_ = std::move(show); }

    // Shows the dictionary in bytes [offset, offset + size) of the archive file. A dictionary
    // cut short keeps the textures read before the cut, then throws FileError with its text.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name);

    // The rows' data, for drawing and tests.
    const TTexArray& textures() const { return textures_; }
    const QImage& thumb(int row) const { return thumbs_.at(size_t(row)); }
    const QImage& alphaThumb(int row) const { return alphaThumbs_.at(size_t(row)); }
    int thumbnailsDelivered() const { return delivered_; }
    // The loader of the dictionary shown (null before the first), for tests that wait on it.
    TImageLoader* loader() const { return loader_.get(); }

    QLabel* nameLabel() const { return name_; }
    QLabel* sizeLabel() const { return size_; }
    QLabel* infoLabel() const { return info_; }
    QListWidget* list() const { return list_; }
    QTabBar* tabs() const { return tabs_; }
    FitImageView* image() const { return image_; }
    QMenu* menu() const { return menu_; }

    // The menu's two commands: the texture (mode colour) or its mask.
    void saveSelected(bool mask);
    // Text of the third row line: width x height x depth.
    static QString sizeText(const TTexRec& t);

private:
    void stopLoader();
    void listClick();
    void updatePreview(int tab);
    void onThumbnail(int generation, int index, QImage colour, QImage alpha);

    const MessageTable& messages_;
    Prompts& prompts_;
    std::shared_ptr<BitmapSaveDialog> saveDialog_;
    ShowPage showPage_;

    QLabel* name_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* info_ = nullptr;
    QListWidget* list_ = nullptr;
    QSplitter* splitter_ = nullptr;
    FitImageView* image_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QMenu* menu_ = nullptr;

    std::string archivePath_;
    uint64_t offset_ = 0;
    uint64_t length_ = 0;
    TTexArray textures_;
    std::vector<QImage> thumbs_;
    std::vector<QImage> alphaThumbs_;
    int delivered_ = 0;
    int generation_ = 0;
    std::unique_ptr<TImageLoader> loader_;
};

}  // namespace varmelo::gui
