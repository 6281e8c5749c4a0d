#pragma once
// The window's commands: one QAction per command, named like the command, shared by the
// toolbar, both menu bars and the entry list's context menu.
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace varmelo::gui {

struct CommandSpec {
    const char* name;
    const char* caption;
    const char* hint;      // "short|long", or "" for none
    const char* shortcut;  // QKeySequence text, or ""
    bool checkable;
    bool checked;
    bool enabled;
    int tag;               // recent-file index, association index, menu style; 0 otherwise
    bool submenu;          // the command only opens a submenu
};

// Every command in the order of the command table.
const QList<CommandSpec>& commandSpecs();

// Tags of the style commands.
inline constexpr int kStyleNative = -1, kStyleXp = 0, kStylePlain = 1;

class CommandTable : public QObject {
    Q_OBJECT
public:
    // The actions are owned by `window` so that their shortcuts work whichever bar shows them.
    explicit CommandTable(QWidget* window);

    // nullptr for an unknown name.
    QAction* action(const QString& name) const;
    QAction* operator[](const QString& name) const { return action(name); }
    const QList<QAction*>& actions() const { return ordered_; }
    // The submenu behind a submenu-only command (ServiceAssociations1, ServiceStyle1,
    // LanguageMenu1); nullptr for other names.
    QMenu* submenu(const QString& name) const;

private:
    QList<QAction*> ordered_;
    QHash<QString, QAction*> byName_;
    QHash<QString, QMenu*> submenus_;
};

// Sets an action's hint: the part before "|" is its tooltip, the part after it the status
// text. A hint without "|" is used for both.
void setActionHint(QAction* action, const QString& hint);

}  // namespace varmelo::gui
