#include "gui/preview/page_frame.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include "core/browser/format_size.h"
#include "core/settings/command_table.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "gui/app/command_actions.h"
#include "gui/app/prompts.h"
#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

PreviewPageFrame::PreviewPageFrame(PreviewPage kind, const char* labelPrefix, const MessageTable& messages,
                                   Prompts& prompts, QWidget* parent)
    : QWidget(parent), messages_(messages), prompts_(prompts), kind_(kind) {
    const QString prefix = QString::fromLatin1(labelPrefix);
    name_ = new QLabel;
    name_->setObjectName(prefix + "Name");
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    size_ = new QLabel;
    size_->setObjectName(prefix + "Size");
    size_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    header_ = new QWidget;
    auto* row = new QHBoxLayout(header_);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(name_, 1);
    row->addWidget(size_);
}

QAction* PreviewPageFrame::addCommand(QMenu* menu, const char* name, std::function<void(bool)> run) {
    const CommandDef* c = findCommand(name);
    if (!c || !isPageCommand(*c)) qFatal("%s is no page command of the command table", name);
    if (c->gapBefore && !menu->isEmpty()) menu->addSeparator();
    QAction* a = menu->addAction(QString::fromUtf8(c->caption.data(), qsizetype(c->caption.size())));
    a->setObjectName(QLatin1String(name));
    if (!c->hint.empty()) setActionHint(a, QString::fromUtf8(c->hint.data(), qsizetype(c->hint.size())));
    if (!c->shortcut.empty())
        a->setShortcut(QKeySequence(QString::fromUtf8(c->shortcut.data(), qsizetype(c->shortcut.size()))));
    a->setCheckable(c->checkable);
    a->setChecked(c->checked);
    connect(a, &QAction::triggered, this, std::move(run));
    commands_.append(a);
    return a;
}

QWidget* PreviewPageFrame::listPanel(std::initializer_list<QWidget*> labels, QListView* list) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    QPalette lp = list->palette();
    lp.setColor(QPalette::Base, lp.color(QPalette::Button));
    list->setPalette(lp);

    auto* panel = new QWidget;
    panel->setObjectName("Panel2");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(header_);
    for (QWidget* label : labels) layout->addWidget(label);
    layout->addWidget(list, 1);
    return panel;
}

QSplitter* PreviewPageFrame::splitOverView(const char* splitterName, QWidget* panel, QWidget* view) {
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->setObjectName(QString::fromLatin1(splitterName));
    splitter->addWidget(panel);
    splitter->addWidget(view);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({225, 200});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter, 1);
    return splitter;
}

void PreviewPageFrame::showHeader(const std::string& name, const QString& sizeText) {
    name_->setText(fromCp1251(name));
    size_->setText(sizeText);
}

QString PreviewPageFrame::kilobytes(uint64_t bytes) const {
    const int64_t kb = int64_t((bytes + 1023) / 1024);
    return QString::fromStdString(formatText(messages_.get(MsgSizeKb), {kb}));
}

QString PreviewPageFrame::formattedSize(uint64_t bytes) const {
    return QString::fromStdString(FormatSize(bytes, messages_));
}

bool PreviewPageFrame::showFailure(const QString& text) {
    if (!infoLine_) return false;
    askForPage(kind_);
    infoLine_->setText(text);
    return true;
}

void PreviewPageFrame::askForPage(PreviewPage p) const {
    if (showPage_) showPage_(p);
}

void PreviewPageFrame::runCommand(const std::function<void()>& command) const {
    try {
        command();
    } catch (const std::exception& e) {
        reportFailure(e);
    }
}

void PreviewPageFrame::reportFailure(const std::exception& e) const { prompts_.showError(errorText(e)); }

}  // namespace varmelo::gui
