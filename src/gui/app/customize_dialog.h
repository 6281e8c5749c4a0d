#pragma once
// "Настройка...": which items the toolbar and the program-drawn menu bar show, and in which
// order. One page per bar, each with the items available and the items shown.
#include <QDialog>

#include "core/settings/bar_layout.h"

class QListWidget;
class QPushButton;

namespace varmelo::gui {

class MenuSet;

class CustomizeDialog : public QDialog {
    Q_OBJECT
public:
    CustomizeDialog(const MenuSet& menus, const BarLayout& current, QWidget* parent = nullptr);

    BarLayout layout() const;

    // The lists of one page (0 the toolbar, 1 the menu bar), for tests and the buttons.
    struct Page {
        QListWidget* available = nullptr;
        QListWidget* shown = nullptr;
        QPushButton* add = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* up = nullptr;
        QPushButton* down = nullptr;
    };
    const Page& page(int i) const { return pages_[i]; }

public slots:
    void addItem(int page);
    void removeItem(int page);
    void moveItem(int page, int delta);
    void resetToDefault();

private:
    QWidget* buildPage(int index, const QStringList& candidates, const QStringList& shown);
    void fillPage(int index, const QStringList& shown);
    void updateButtons(int page);
    QStringList shownNames(int page) const;

    const MenuSet& menus_;
    QStringList candidates_[2];
    Page pages_[2];
};

}  // namespace varmelo::gui
