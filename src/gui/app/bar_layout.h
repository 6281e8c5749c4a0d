#pragma once
// What the toolbar and the program-drawn menu bar show: lists of item names (commands, the
// top-level menus, "-" for a separator) that the customize dialog edits.
#include <QStringList>

class QMenuBar;
class QToolBar;

namespace varmelo::gui {

class MenuSet;

struct BarLayout {
    QStringList toolbar;
    QStringList menuBar;
    bool operator==(const BarLayout&) const = default;
};

BarLayout defaultBarLayout();

// Drops names this program does not know (a file written by another version) and doubled
// separators, and puts back "Сервис" when it is missing from the menu bar, since without it
// the customize command could no longer be reached.
BarLayout sanitized(const BarLayout& layout, const MenuSet& menus);

// Rebuild a bar from a list of names; the items are the shared actions.
void fillToolBar(QToolBar* bar, const QStringList& items, const MenuSet& menus);
void fillMenuBar(QMenuBar* bar, const QStringList& items, const MenuSet& menus);

}  // namespace varmelo::gui
