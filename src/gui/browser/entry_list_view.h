#pragma once
// List1: the report-style entry list. Fixed 14-pixel rows in a monospaced font, full-row
// multi-selection, grid lines, no in-place editing; a click on a column caption is handed
// to the browser, which sorts. The context menu PopupMenu1 shows only while it is attached.
#include <QList>
#include <QTableView>

class QAction;
class QMenu;

namespace varmelo::gui {

class EntryListView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 14;

    explicit EntryListView(QWidget* parent = nullptr);

    // Sets the start widths of the four columns; call after the model is set.
    void applyColumnWidths();

    // The context menu's items; nullptr stands for a separator.
    void setPopupActions(const QList<QAction*>& actions);
    void setPopupAttached(bool attached);
    bool popupAttached() const { return attached_; }
    QMenu* popupMenu() const { return popup_; }

    int firstSelectedRow() const;
    // Ascending.
    QList<int> selectedRowNumbers() const;

signals:
    void columnClicked(int column);

protected:
    // Home and End (with or without Ctrl) select the first and last row, as in any list; a
    // table's own keys would move along the row or move the focus without selecting.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPopup(const QPoint& pos);

    QMenu* popup_ = nullptr;
    bool attached_ = false;
};

}  // namespace varmelo::gui
