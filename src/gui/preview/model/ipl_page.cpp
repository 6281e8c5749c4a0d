#include "gui/preview/model/ipl_page.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/model/ipl_binary.h"
#include "core/preview/entry_reader.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "gui/app/prompts.h"
#include "gui/preview/texture/qt_image.h"

namespace varmelo::gui {

IplPage::IplPage(const MessageTable& messages, Prompts& prompts, QWidget* parent)
    : QWidget(parent), messages_(messages), prompts_(prompts) {
    name_ = new QLabel;
    name_->setObjectName("IPLName");
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    size_ = new QLabel;
    size_->setObjectName("IPLSize");
    size_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
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

    auto* top = new QHBoxLayout;
    top->addWidget(name_, 1);
    top->addWidget(size_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(memo_, 1);

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu3");
    copy_ = menu_->addAction(QStringLiteral("Копировать"));
    copy_->setObjectName("CtxCopy");
    QAction* all = menu_->addAction(QStringLiteral("Выделить всё"));
    all->setObjectName("CtxSelectAll");
    menu_->addSeparator();
    QAction* save = menu_->addAction(QStringLiteral("Сохранить как..."));
    save->setObjectName("CtxSaveIPL");
    connect(copy_, &QAction::triggered, memo_, &QPlainTextEdit::copy);
    connect(all, &QAction::triggered, memo_, &QPlainTextEdit::selectAll);
    connect(save, &QAction::triggered, this, &IplPage::saveAs);
    connect(menu_, &QMenu::aboutToShow, this, &IplPage::prepareMenu);
    memo_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(memo_->viewport()->mapToGlobal(at)); });
}

void IplPage::preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) {
    EntryReader entry = EntryReader::open(archivePath, offset, size);
    IplConversion conv = ConvertBinaryIpl(entry, name);
    if (!conv.binary) {
        if (showPage_) showPage_(PreviewPage::Default);
        return;
    }
    if (showPage_) showPage_(PreviewPage::Ipl);
    name_->setText(QString::fromStdString(cp1251ToUtf8(name)));
    const int64_t kb = int64_t((size + 1023) / 1024);
    size_->setText(QString::fromStdString(formatText(messages_.get(MsgSizeKb), {kb})));

    lines_ = std::move(conv.lines);
    QString text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += QLatin1Char('\n');
        text += QString::fromStdString(cp1251ToUtf8(lines_[i]));
    }
    memo_->setPlainText(text);
    memo_->moveCursor(QTextCursor::Start);
    memo_->ensureCursorVisible();
    if (!conv.error.empty()) throw FileError(conv.error);
}

void IplPage::prepareMenu() { copy_->setEnabled(memo_->textCursor().hasSelection()); }

void IplPage::saveAs() {
    auto chosen = prompts_.pickSaveFile(QString::fromUtf8(kFilter), name_->text());
    if (!chosen || chosen->isEmpty()) return;
    QString path = *chosen;
    if (!hasExtension(path)) path += QStringLiteral(".ipl");
    try {
        const std::string text = joinLinesCrLf(lines_);
        BinaryFile out = BinaryFile::create(path.toStdString());
        out.write(text.data(), text.size());
        out.close();
    } catch (const std::exception& e) {
        prompts_.showError(QString::fromStdString(e.what()));
    }
}

}  // namespace varmelo::gui
