#include "gui/preview/model/ipl_page.h"

#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/model/ipl_binary.h"
#include "core/io/entry_reader.h"
#include "gui/app/prompts.h"
#include "gui/app/file_dialog_filter.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/texture/qt_image.h"

namespace varmelo::gui {

IplPage::IplPage(const MessageTable& messages, Prompts& prompts, QWidget* parent)
    : PreviewPageFrame(PreviewPage::Ipl, "IPL", messages, prompts, parent) {
    memo_ = new QPlainTextEdit;
    memo_->setObjectName("Memo1");
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Lucida Console"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    memo_->setFont(mono);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(header());
    layout->addWidget(memo_, 1);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu3");
    copy_ = addCommand(menu_, "CtxCopy", [this](bool) { memo_->copy(); });
    addCommand(menu_, "CtxSelectAll", [this](bool) { memo_->selectAll(); });
    addCommand(menu_, "CtxSaveIPL", [this](bool) { saveAs(); });
    saveDialog3_ = new FileDialogFilter(QStringLiteral("SaveDialog3"), QString::fromUtf8(kFilter), this);
    connect(menu_, &QMenu::aboutToShow, this, &IplPage::prepareMenu);
    memo_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(memo_->viewport()->mapToGlobal(at)); });
}

void IplPage::preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) {
    EntryReader entry = EntryReader::open(archivePath, offset, size);
    IplConversion conv = ConvertBinaryIpl(entry, name);
    if (!conv.binary) {
        askForPage(PreviewPage::Default);
        return;
    }
    askForPage(PreviewPage::Ipl);
    showHeader(name, kilobytes(size));

    lines_ = std::move(conv.lines);
    QString text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += QLatin1Char('\n');
        text += fromCp1251(lines_[i]);
    }
    memo_->setPlainText(text);
    memo_->moveCursor(QTextCursor::Start);
    memo_->ensureCursorVisible();
    if (!conv.error.empty()) throw FileError(conv.error);
}

void IplPage::prepareMenu() { copy_->setEnabled(memo_->textCursor().hasSelection()); }

void IplPage::saveAs() {
    auto chosen = prompts_.pickSaveFile(saveDialog3_->filter(), nameLabel()->text());
    if (!chosen || chosen->isEmpty()) return;
    QString path = *chosen;
    if (!hasExtension(path)) path += QStringLiteral(".ipl");
    runCommand([&] {
        const std::string text = joinLinesCrLf(lines_);
        BinaryFile out = BinaryFile::create(toPathBytes(path));
        out.write(text.data(), text.size());
        out.close();
    });
}

}  // namespace varmelo::gui
