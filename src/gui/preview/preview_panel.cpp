#include "gui/preview/preview_panel.h"

#include <QLabel>
#include <QVBoxLayout>

#include "core/archive/archive.h"
#include "core/io/binary_file.h"

namespace varmelo::gui {

namespace {
const char* const kPageNames[kPreviewPageCount] = {"Default", "TXD", "DFF", "IPL", "COL", "DDS", "TGA"};
}

PreviewPanel::PreviewPanel(QWidget* parent) : QStackedWidget(parent) {
    setObjectName(QStringLiteral("Notebook1"));
    auto* page0 = new QWidget(this);
    page0->setObjectName(QString::fromLatin1(kPageNames[0]));
    auto* layout = new QVBoxLayout(page0);
    selectFile_ = new QLabel(QStringLiteral("Файлы не выбраны или их формат не поддерживается"), page0);
    selectFile_->setObjectName(QStringLiteral("SelectFile1"));
    selectFile_->setWordWrap(true);
    selectFile_->setAlignment(Qt::AlignCenter);
    layout->addWidget(selectFile_);
    addWidget(page0);
    for (int i = 1; i < kPreviewPageCount; ++i) {
        auto* placeholder = new QWidget(this);
        placeholder->setObjectName(QString::fromLatin1(kPageNames[i]));
        addWidget(placeholder);
    }
    setCurrentIndex(0);
}

void PreviewPanel::showDefaultPage() { setCurrentIndex(int(PreviewPage::Default)); }

void PreviewPanel::setPage(PreviewPage p, QWidget* page) {
    const int index = int(p);
    if (index <= 0 || index >= kPreviewPageCount || !page) return;
    QWidget* old = widget(index);
    const bool shown = currentIndex() == index;
    page->setObjectName(QString::fromLatin1(kPageNames[index]));
    insertWidget(index, page);
    removeWidget(old);
    old->deleteLater();
    if (shown) setCurrentIndex(index);
}

void PreviewPanel::setPagePreview(PreviewPage p, PagePreview preview) {
    const int index = int(p);
    if (index > 0 && index < kPreviewPageCount) previews_[size_t(index)] = std::move(preview);
}

void PreviewPanel::preview(const Archive& archive, uint32_t entry) {
    const TEntryRec& e = archive.Entries.at(entry);
    const PreviewPage page = pageFor(entryFormatOf(e.Name).format);
    const PagePreview& run = previews_[size_t(page)];
    if (page == PreviewPage::Default || !run) {
        showDefaultPage();
        return;
    }
    // Positions follow the archive's own unit, so an entry of any kind is read from where
    // it really lies, whatever its extension.
    BinaryFile file = BinaryFile::openRead(archive.ArchivePath);
    PreviewRequest request{file, archive.byteOffset(e), archive.byteSize(e), e.Name};
    run(request);
}

}  // namespace varmelo::gui
