#include "gui/app/action_bars.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "core/settings/bar_layout.h"
#include "core/settings/command_table.h"
#include "gui/app/menu_set.h"

namespace varmelo::gui {

void fillToolBar(QToolBar* bar, const std::vector<std::string>& items, const MenuSet& menus) {
    bar->clear();
    for (const std::string& name : items) {
        if (name == kBarSeparator) {
            bar->addSeparator();
            continue;
        }
        QAction* a = menus.item(QString::fromStdString(name));
        if (!a) continue;
        bar->addAction(a);
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
        if (!button) continue;
        if (a->menu()) button->setPopupMode(QToolButton::InstantPopup);
        // Images only, unless the table asks for the caption too; a command without an
        // image shows its caption so that it can still be found.
        const CommandDef* c = findCommand(name);
        if (c && c->captionOnToolbar)
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        else if (a->icon().isNull())
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

void fillMenuBar(QMenuBar* bar, const std::vector<std::string>& items, const MenuSet& menus) {
    bar->clear();
    for (const std::string& name : items) {
        if (name == kBarSeparator) {
            bar->addSeparator();
            continue;
        }
        if (QAction* a = menus.item(QString::fromStdString(name))) bar->addAction(a);
    }
}

}  // namespace varmelo::gui
