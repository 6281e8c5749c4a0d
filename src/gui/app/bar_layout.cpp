#include "gui/app/bar_layout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "gui/app/menu_set.h"

namespace varmelo::gui {

BarLayout defaultBarLayout() {
    BarLayout l;
    l.toolbar = {"FileNew1", "FileOpen1", "-", "EditExtract1", "EditAdd1", "EditRemove1", "-",
                 "SearchFind1", "SearchFindNext1", "SearchFilter1", "-", "HelpAbout1"};
    l.menuBar = {"File1", "Edit1", "Search1", "Service1", "LanguageMenu1", "Help1"};
    return l;
}

namespace {

QStringList cleanList(const QStringList& items, const MenuSet& menus) {
    QStringList out;
    for (const QString& name : items) {
        if (name == kSeparator) {
            if (!out.isEmpty() && out.last() != kSeparator) out.append(name);
        } else if (menus.item(name) && !out.contains(name)) {
            out.append(name);
        }
    }
    while (!out.isEmpty() && out.last() == kSeparator) out.removeLast();
    return out;
}

}  // namespace

BarLayout sanitized(const BarLayout& layout, const MenuSet& menus) {
    BarLayout out{cleanList(layout.toolbar, menus), cleanList(layout.menuBar, menus)};
    if (!out.menuBar.contains(QStringLiteral("Service1"))) out.menuBar.append(QStringLiteral("Service1"));
    return out;
}

void fillToolBar(QToolBar* bar, const QStringList& items, const MenuSet& menus) {
    bar->clear();
    for (const QString& name : items) {
        if (name == kSeparator) {
            bar->addSeparator();
            continue;
        }
        QAction* a = menus.item(name);
        if (!a) continue;
        bar->addAction(a);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
        if (!button) continue;
        if (a->menu()) button->setPopupMode(QToolButton::InstantPopup);
        // Images only, except the About button, which carries its caption too; a command
        // without an image shows its caption so that it can still be found.
        if (name == QLatin1String("HelpAbout1"))
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        else if (a->icon().isNull())
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

void fillMenuBar(QMenuBar* bar, const QStringList& items, const MenuSet& menus) {
    bar->clear();
    for (const QString& name : items) {
        if (name == kSeparator) {
            bar->addSeparator();
            continue;
        }
        if (QAction* a = menus.item(name)) bar->addAction(a);
    }
}

}  // namespace varmelo::gui
