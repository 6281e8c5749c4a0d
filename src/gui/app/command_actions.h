#pragma once
// The window's commands as QActions, one per command of the command table, named like the
// command and shared by the toolbar, both menu bars and the entry list's context menu.
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <string_view>

#include "core/settings/command_table.h"

class QAction;
class QMenu;
class QWidget;

namespace varmelo::gui {

QString commandName(std::string_view name);

class CommandActions : public QObject {
    Q_OBJECT
public:
    // The actions are owned by `window` so that their shortcuts work whichever bar shows them.
    explicit CommandActions(QWidget* window);

    // nullptr for an unknown name.
    QAction* action(const QString& name) const;
    QAction* operator[](const QString& name) const { return action(name); }
    // Every command in table order (top-level menus that are not commands excluded).
    const QList<QAction*>& actions() const { return ordered_; }
    // The submenu behind a submenu-only command; nullptr for other names.
    QMenu* submenu(const QString& name) const;

    // Enables each command as its rule says for these facts.
    void applyFacts(const CommandFacts& facts);

private:
    QList<QAction*> ordered_;
    QHash<QString, QAction*> byName_;
    QHash<QString, QMenu*> submenus_;
};

// Sets an action's hint: the part before "|" is its tooltip, the part after it the status
// text. A hint without "|" is used for both.
void setActionHint(QAction* action, const QString& hint);

}  // namespace varmelo::gui
