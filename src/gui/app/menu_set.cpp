#include "gui/app/menu_set.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "core/settings/bar_layout.h"
#include "core/settings/command_table.h"
#include "gui/app/command_actions.h"

namespace varmelo::gui {

MenuSet::MenuSet(QWidget* window, CommandActions& commands) : commands_(commands) {
    for (const CommandDef& c : commandTable()) {
        // A page's context menu is the page's own.
        if (!c.opensMenu() || c.kind == CommandKind::PageMenu) continue;
        const QString name = commandName(c.name);
        QMenu* m = commands.submenu(name);
        if (!m) {
            m = new QMenu(QString::fromUtf8(c.caption.data(), qsizetype(c.caption.size())), window);
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
        }
        for (const std::string& item : defaultMenuItems(c.name)) {
            if (item == kBarSeparator)
                m->addSeparator();
            else if (QAction* a = this->commands_.action(QString::fromStdString(item)))
                m->addAction(a);
        }
        menus_.insert(name, m);
        if (c.menu == kMenuBar) topLevel_.append(name);
    }
}

QAction* MenuSet::item(const QString& name) const {
    if (QMenu* m = menus_.value(name, nullptr)) return m->menuAction();
    return commands_.action(name);
}

QStringList MenuSet::itemNames() const {
    QStringList names = topLevel_;
    for (QAction* a : commands_.actions())
        if (!names.contains(a->objectName())) names.append(a->objectName());
    return names;
}

QString MenuSet::caption(const QString& name) const {
    if (name == kSeparator) return QStringLiteral("——————");
    QAction* a = item(name);
    return a ? a->text().remove('&') : name;
}

}  // namespace varmelo::gui
