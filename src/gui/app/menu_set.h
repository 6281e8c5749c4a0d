#pragma once
// The window's menus, top-level ones and submenus, built once as the command table places
// the commands. Both menu bars show these same QMenu objects, so a
// switch of menu style keeps every item and every action.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace varmelo::gui {

class CommandActions;

inline const QString kSeparator = QStringLiteral("-");

class MenuSet {
public:
    MenuSet(QWidget* window, CommandActions& commands);

    // The top-level menus in their default order.
    const QStringList& topLevelNames() const { return topLevel_; }
    QMenu* menu(const QString& name) const { return menus_.value(name, nullptr); }
    // A command or the menu action of a menu: what a bar can show under this name.
    QAction* item(const QString& name) const;
    // Every name a bar may hold: the top-level menus, then the commands.
    QStringList itemNames() const;
    // Caption shown for a bar item name (without accelerator marks).
    QString caption(const QString& name) const;

private:
    CommandActions& commands_;
    QStringList topLevel_;
    QHash<QString, QMenu*> menus_;
};

}  // namespace varmelo::gui
