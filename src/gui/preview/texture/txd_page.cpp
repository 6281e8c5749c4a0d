#include "gui/preview/texture/txd_page.h"

#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/io/errors.h"
#include "core/io/entry_reader.h"
#include "core/io/file_system.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/preview_host.h"
#include "gui/preview/texture/bitmap_save_dialog.h"
#include "gui/preview/texture/fit_image_view.h"
#include "gui/preview/texture/image_loader.h"
#include "gui/preview/texture/qt_image.h"

namespace varmelo::gui {

namespace {

constexpr int kRowHeight = 52;

// The rows of ListBox1, drawn from the model's roles.
class TextureRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {100, kRowHeight}; }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        using M = TextureListModel;
        const QRect r = option.rect;
        const QPalette& pal = option.palette;
        const bool selected = option.state & QStyle::State_Selected;
        const bool hasAlpha = index.data(M::HasAlphaRole).toBool();
        p->save();
        p->fillRect(r, selected ? pal.highlight() : pal.button());
        p->setPen(pal.color(QPalette::Light));
        p->drawLine(r.left() + 1, r.top(), r.right() - 1, r.top());
        p->setPen(pal.color(QPalette::Dark));
        p->drawLine(r.left() + 1, r.bottom(), r.right() - 1, r.bottom());

        const QFontMetrics fm(option.font);
        const int h = fm.height();
        p->setFont(option.font);
        const QColor ink = selected ? pal.color(QPalette::HighlightedText) : QColor(Qt::black);
        p->setPen(ink);
        p->drawText(QPoint(r.left() + 4, r.top() + 2 + fm.ascent()), index.data(M::NameRole).toString());
        p->setPen(hasAlpha ? QColor(0, 0, 128) : QColor(128, 128, 128));
        p->drawText(QPoint(r.left() + 4, r.top() + 2 + h + fm.ascent()), index.data(M::MaskRole).toString());
        p->setPen(ink);
        p->drawText(QPoint(r.left() + 4, r.bottom() - h - 2 + fm.ascent()), index.data(M::SizeRole).toString());

        const QString failure = index.data(M::ThumbTextRole).toString();
        drawThumb(p, index.data(M::ThumbRole).value<QImage>(), QPoint(r.right() - 52, r.top() + 2), pal, failure);
        if (hasAlpha)
            drawThumb(p, index.data(M::AlphaThumbRole).value<QImage>(), QPoint(r.right() - 102, r.top() + 2), pal,
                      failure);
        p->restore();
    }

private:
    // A thumbnail not yet made shows as an empty frame; one that cannot be made, as a frame
    // holding the reason in small print (the row's tool tip has it whole).
    static void drawThumb(QPainter* p, const QImage& img, QPoint at, const QPalette& pal, const QString& failure) {
        if (!img.isNull()) {
            p->drawImage(at, img);
            return;
        }
        const QPen ink = p->pen();
        const QRect frame(at, QSize(kThumbSide - 1, kThumbSide - 1));
        p->setPen(pal.color(QPalette::Mid));
        p->setBrush(Qt::NoBrush);
        p->drawRect(frame);
        if (failure.isEmpty()) return;
        QFont small = p->font();
        small.setPixelSize(8);
        p->setFont(small);
        p->setPen(ink);
        p->drawText(frame.adjusted(2, 1, -1, -1), Qt::AlignCenter | Qt::TextWordWrap, failure);
    }
};

}  // namespace

TxdPage::TxdPage(const MessageTable& messages, Prompts& prompts, std::shared_ptr<BitmapSaveDialog> saveDialog,
                 PreviewHost* host, QWidget* parent)
    : PreviewPageFrame(PreviewPage::Txd, "TXD", messages, prompts, parent),
      saveDialog_(std::move(saveDialog)),
      host_(host) {
    if (!saveDialog_) saveDialog_ = std::make_shared<BitmapSaveDialog>(this);

    info_ = new QLabel;
    info_->setObjectName("TXDInfo");
    setInfoLine(info_);
    model_ = new TextureListModel(this);
    list_ = new QListView;
    list_->setObjectName("ListBox1");
    list_->setModel(model_);
    list_->setItemDelegate(new TextureRowDelegate(list_));

    QWidget* panel = listPanel({info_}, list_);

    image_ = new FitImageView;
    image_->setObjectName("Image1");
    image_->setVisible(false);

    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName("Splitter3");
    splitter_->addWidget(panel);
    splitter_->addWidget(image_);
    splitter_->setChildrenCollapsible(false);
    splitter_->setSizes({225, 200});
    connect(splitter_, &QSplitter::splitterMoved, list_->viewport(), qOverload<>(&QWidget::update));

    tabs_ = new QTabBar;
    tabs_->setObjectName("Tabs1");
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->addTab(QStringLiteral("RGB+A"));
    tabs_->addTab(QStringLiteral("RGB"));
    tabs_->addTab(QStringLiteral("Прозрачность"));
    tabs_->setEnabled(false);
    connect(tabs_, &QTabBar::currentChanged, this, &TxdPage::updatePreview);

    bar_ = new QToolBar;
    bar_->setObjectName("TxdBar1");
    bar_->setIconSize(QSize(16, 16));
    // Icons only, the captions as tooltips: ten captions do not fit the panel's width.
    bar_->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar_);
    layout->addWidget(splitter_, 1);
    layout->addWidget(tabs_);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu2");
    saveImage_ = addCommand(menu_, "CtxSaveImage", [this](bool) { saveSelected(false); });
    saveMask_ = addCommand(menu_, "CtxSaveMask", [this](bool) { saveSelected(true); });
    add_ = addCommand(menu_, "CtxTxdAdd", [this](bool) { addTextures(); });
    replace_ = addCommand(menu_, "CtxTxdReplace", [this](bool) { replaceTexture(); });
    delete_ = addCommand(menu_, "CtxTxdDelete", [this](bool) { deleteTexture(); });
    rename_ = addCommand(menu_, "CtxTxdRename", [this](bool) { renameTexture(); });
    format_ = addCommand(menu_, "CtxTxdFormat", [this](bool) { changeFormat(); });
    import_ = addCommand(menu_, "CtxTxdImport", [this](bool) { importFolder(); });
    undo_ = addCommand(menu_, "CtxTxdUndo", [this](bool) { undo(); });
    redo_ = addCommand(menu_, "CtxTxdRedo", [this](bool) { redo(); });
    save_ = addCommand(menu_, "CtxTxdSave", [this](bool) { saveToArchive(); });
    saveAs_ = addCommand(menu_, "CtxTxdSaveAs", [this](bool) { saveAs(); });
    // The bar carries the editing commands; saving a single texture stays in the menu. The
    // desktop's icon theme where it has them, the style's own pictures otherwise.
    const std::pair<QAction*, std::pair<const char*, QStyle::StandardPixmap>> icons[] = {
        {add_, {"list-add", QStyle::SP_FileDialogNewFolder}},
        {replace_, {"view-refresh", QStyle::SP_BrowserReload}},
        {delete_, {"edit-delete", QStyle::SP_TrashIcon}},
        {rename_, {"edit-rename", QStyle::SP_FileDialogDetailedView}},
        {format_, {"preferences-system", QStyle::SP_FileDialogInfoView}},
        {import_, {"document-import", QStyle::SP_DirOpenIcon}},
        {undo_, {"edit-undo", QStyle::SP_ArrowBack}},
        {redo_, {"edit-redo", QStyle::SP_ArrowForward}},
        {save_, {"document-save", QStyle::SP_DialogSaveButton}},
        {saveAs_, {"document-save-as", QStyle::SP_DriveFDIcon}},
    };
    for (const auto& [action, icon] : icons)
        action->setIcon(QIcon::fromTheme(QString::fromLatin1(icon.first), style()->standardIcon(icon.second)));
    bar_->addActions({add_, replace_, delete_, rename_, format_, import_});
    bar_->addSeparator();
    bar_->addActions({undo_, redo_});
    bar_->addSeparator();
    bar_->addActions({save_, saveAs_});
    updateEditActions();
    list_->setContextMenuPolicy(Qt::NoContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(list_->viewport()->mapToGlobal(at)); });

    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { listClick(); });
}

TxdPage::~TxdPage() {
    stopLoader();
    if (!editedFile_.empty()) removeFileQuietly(editedFile_);
}

int TxdPage::currentRow() const { return list_->currentIndex().row(); }

void TxdPage::stopLoader() {
    if (loader_) loader_->stopAndWait();
    loader_.reset();
}

void TxdPage::preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) {
    askForPage(PreviewPage::Txd);
    showHeader(name, kilobytes(size));
    entry_ = host_ ? host_->shownEntry() : std::nullopt;
    entryPath_ = archivePath;
    entryOffset_ = offset;
    entrySize_ = size;
    entryName_ = name;
    history_.clear();
    writable_ = host_ && entry_ && host_->archiveWritable();
    const std::string failure = showTable(archivePath, offset, size);
    tableWhole_ = failure.empty();
    updateEditActions();
    if (!failure.empty()) throw FileError(failure);
}

std::string TxdPage::showTable(const std::string& path, uint64_t offset, uint64_t size) {
    // The old loader must be gone before the table it copied from is replaced, and any of its
    // thumbnails still queued are told apart by their generation.
    stopLoader();
    ++generation_;

    archivePath_ = path;
    offset_ = offset;
    length_ = size;
    std::string failure;
    TxdTable table;
    try {
        EntryReader entry = EntryReader::open(path, offset, size);
        table = ReadTextureTable(entry);
        failure = table.error;
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (table.countRead)
        info_->setText(QString::fromStdString(formatText(messages_.get(MsgTextures), {int64_t(table.announcedCount)})));

    {
        const QSignalBlocker block(list_->selectionModel());
        model_->reset(std::move(table.textures));
        delivered_ = 0;
        if (model_->rowCount() > 0) list_->setCurrentIndex(model_->index(0));
    }
    listClick();

    loader_ = std::make_unique<TImageLoader>(path, offset, size, model_->textures(), generation_);
    connect(loader_.get(), &TImageLoader::thumbnailReady, this, &TxdPage::onThumbnail, Qt::QueuedConnection);
    loader_->start();
    return failure;
}

void TxdPage::onThumbnail(int generation, int index, QImage colour, QImage alpha, QString failure) {
    if (generation != generation_ || index < 0 || index >= model_->rowCount()) return;
    model_->setThumbnails(index, std::move(colour), std::move(alpha), std::move(failure));
    ++delivered_;
}

void TxdPage::listClick() {
    {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(0);
    }
    const bool visible = currentRow() >= 0 && model_->rowCount() > 0;
    image_->setVisible(visible);
    tabs_->setEnabled(visible);
    updateEditActions();
    if (visible) updatePreview(tabs_->currentIndex());
}

namespace {

TextureMode modeOfTab(int tab) {
    switch (tab) {
        case 1: return TextureMode::Colour;
        case 2: return TextureMode::AlphaMask;
        default: return TextureMode::Checker;
    }
}

}  // namespace

void TxdPage::updatePreview(int tab) {
    const int t = currentRow();
    if (t < 0 || t >= model_->rowCount()) return;
    const TTexRec& rec = textures()[size_t(t)];
    try {
        EntryReader entry = EntryReader::open(archivePath_, offset_, length_);
        DecodeResult r = DecodeTexture(entry, rec, rec.Width, rec.Height, modeOfTab(tab));
        if (r.status == DecodeStatus::Ok) image_->setPicture(toQImage(r.image, true));
        else image_->setStatus(QString::fromStdString(r.message()));
    } catch (const std::exception& e) {
        // Walking the textures is no command: what failed is said where the picture would be.
        image_->setStatus(errorText(e));
    }
}

void TxdPage::saveSelected(bool mask) {
    const int t = currentRow();
    if (t < 0 || t >= model_->rowCount()) return;
    const TTexRec rec = textures()[size_t(t)];
    auto chosen = saveDialog_->run(prompts_, fromCp1251(mask ? rec.MaskName : rec.Name));
    if (!chosen || chosen->isEmpty()) return;
    QString path = *chosen;
    if (!hasExtension(path)) path += QStringLiteral(".bmp");
    runCommand([&] {
        EntryReader entry = EntryReader::open(archivePath_, offset_, length_);
        DecodeResult r =
            DecodeTexture(entry, rec, rec.Width, rec.Height, mask ? TextureMode::AlphaMask : TextureMode::Colour);
        if (r.status != DecodeStatus::Ok) throw FormatError(r.message());
        WriteBmp(toPathBytes(path), r.image, BmpDepth::Rgb24);
    });
}

}  // namespace varmelo::gui
