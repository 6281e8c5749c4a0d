#pragma once
// The window's commands as QActions, one per command of the command table, named like the
// command and shared by the toolbar, both menu bars and the entry list's context menu. The
// preview pages make the actions of their context menus and hand them in, so a page command
// on the toolbar is the same action as in its page's menu.
#include <QAction>
#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QObject>
#include <QString>
#include <string_view>

#include "core/settings/command_table.h"

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

    // Enables each command as its rule says for these facts; the pages' commands follow
    // their pages.
    void applyFacts(const CommandFacts& facts);

    // Runs `slot` when the command is chosen; every command is bound once the window is built.
    template <class Receiver, class Slot>
    void bind(const QString& name, const Receiver* receiver, Slot slot) {
        QAction* a = action(name);
        QObject::connect(a, &QAction::triggered, receiver, std::move(slot));
        bound_.insert(a);
    }
    // Takes a page command's action, bound to its page's handler, as that command's action;
    // the first page to hand one in keeps it (the picture pages share theirs' effects).
    void adoptPageCommand(QAction* action);
    // The commands (not the submenus) without an action or without a handler, by name.
    QStringList unbound() const;

private:
    void orderByTable();

    QList<QAction*> ordered_;
    QHash<QString, QAction*> byName_;
    QHash<QString, QMenu*> submenus_;
    QSet<const QAction*> bound_;
};

// Sets an action's hint: the part before "|" is its tooltip, the part after it the status
// text. A hint without "|" is used for both.
void setActionHint(QAction* action, const QString& hint);

}  // namespace varmelo::gui
