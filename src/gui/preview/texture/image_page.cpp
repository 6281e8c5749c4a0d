#include "gui/preview/texture/image_page.h"

#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>
#include <cstring>

#include "core/io/entry_reader.h"
#include "core/texture/bmp_writer.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/texture/bitmap_save_dialog.h"
#include "gui/preview/texture/image_scene.h"
#include "gui/preview/texture/image_view.h"
#include "gui/preview/texture/qt_image.h"

namespace varmelo::gui {

ImagePage::ImagePage(EntryFormat format, ImageScene& scene, const MessageTable& messages, Prompts& prompts,
                     std::shared_ptr<BitmapSaveDialog> saveDialog, QWidget* parent)
    : PreviewPageFrame(pageFor(format), format == EntryFormat::Dds ? "DDS" : "TGA", messages, prompts, parent),
      scene_(scene),
      saveDialog_(std::move(saveDialog)),
      loadPicture_(formatInfo(format).loadPicture) {
    if (!saveDialog_) saveDialog_ = std::make_shared<BitmapSaveDialog>(this);
    const bool dds = format == EntryFormat::Dds;
    dims_ = new QLabel;
    dims_->setObjectName(dds ? "DDSInfo" : "TGAInfo");
    view_ = new ImageView(scene_);
    view_->setObjectName(dds ? "Scene3" : "Scene4");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(header());
    layout->addWidget(dims_);
    layout->addWidget(view_, 1);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu4");
    alpha_ = addCommand(menu_, "CtxAlpha1", [this](bool on) { scene_.setBlending(on); });
    alpha_->setChecked(scene_.blending());
    save_ = addCommand(menu_, "CtxSaveImage2", [this](bool) { savePicture(); });
    // The other page may have changed the shared setting since this menu was last open.
    connect(&scene_, &ImageScene::changed, this, [this] {
        const QSignalBlocker block(alpha_);
        alpha_->setChecked(scene_.blending());
    });
    connect(menu_, &QMenu::aboutToShow, this, [this] { save_->setEnabled(!scene_.picture().isNull()); });
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(view_->mapToGlobal(at)); });
}

void ImagePage::preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) {
    showHeader(name, formattedSize(size));
    EntryReader entry = EntryReader::open(archivePath, offset, size);
    const LoadedImage loaded = loadPicture_(entry);
    scene_.setPicture(toQImage(loaded.image));
    dims_->setText(QString::asprintf("%dx%d", loaded.image.width, loaded.image.height));
    askForPage(kind());
}

void ImagePage::savePicture() {
    const QImage& pic = scene_.picture();
    if (pic.isNull()) return;
    auto chosen = saveDialog_->run(prompts_);
    if (!chosen || chosen->isEmpty()) return;
    Image img(pic.width(), pic.height());
    const QImage argb = pic.convertToFormat(QImage::Format_ARGB32);
    const size_t row = size_t(img.width) * 4;
    for (int y = 0; y < img.height; ++y) std::memcpy(img.pixel(0, y), argb.constScanLine(y), row);
    runCommand([&] { WriteBmp(toPathBytes(*chosen), img, BmpDepth::Argb32); });
}

}  // namespace varmelo::gui
