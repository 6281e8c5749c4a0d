#include "gui/browser/entry_list_view.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

namespace varmelo::gui {

namespace {
constexpr int kStartWidths[] = {60, 200, 80, 80};
}

EntryListView::EntryListView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("List1"));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);  // cut at the cell edge, as the cells always were
    setSortingEnabled(false);          // sorting is the browser's, through the row map
    setCornerButtonEnabled(false);
    setFrameShape(QFrame::NoFrame);

    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(11);
    setFont(font);

    // Selected rows keep the text colour of unselected ones.
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        pal.setColor(group, QPalette::HighlightedText, pal.color(group, QPalette::Text));
    setPalette(pal);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(columns, &QHeaderView::sectionClicked, this, &EntryListView::columnClicked);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &EntryListView::showPopup);
}

void EntryListView::applyColumnWidths() {
    for (int c = 0; c < int(std::size(kStartWidths)); ++c) setColumnWidth(c, kStartWidths[c]);
}

void EntryListView::setPopupActions(const QList<QAction*>& actions) {
    popup_->clear();
    for (QAction* a : actions) {
        if (a)
            popup_->addAction(a);
        else
            popup_->addSeparator();
    }
}

void EntryListView::setPopupAttached(bool attached) {
    attached_ = attached;
    // Detached means no menu at all on a right click, not the window's either.
    setContextMenuPolicy(attached ? Qt::CustomContextMenu : Qt::PreventContextMenu);
}

void EntryListView::showPopup(const QPoint& pos) {
    if (attached_) popup_->popup(viewport()->mapToGlobal(pos));
}

QModelIndex EntryListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void EntryListView::keyPressEvent(QKeyEvent* event) {
    const bool homeOrEnd = event->key() == Qt::Key_Home || event->key() == Qt::Key_End;
    if (!homeOrEnd || !(event->modifiers() & Qt::ControlModifier)) return QTableView::keyPressEvent(event);
    // Without Ctrl the key selects the row it reaches (Shift still extends the selection).
    QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ControlModifier, event->text(),
                    event->isAutoRepeat(), ushort(event->count()));
    QTableView::keyPressEvent(&plain);
    event->setAccepted(plain.isAccepted());
}

int EntryListView::firstSelectedRow() const {
    int first = -1;
    if (!selectionModel()) return first;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        if (first < 0 || range.top() < first) first = range.top();
    return first;
}

QList<int> EntryListView::selectedRowNumbers() const {
    QList<int> rows;
    if (!selectionModel()) return rows;
    // Walk the ranges rather than every index: a find-all may select thousands of rows.
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r) rows.append(r);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace varmelo::gui
