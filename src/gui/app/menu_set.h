#pragma once
// The window's menus (Файл, Правка, Поиск, Сервис, Language, Справка and their submenus),
// built once from the command table. Both menu bars show these same QMenu objects, so a
// switch of menu style keeps every item and every action.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace varmelo::gui {

class CommandTable;

inline const QString kSeparator = QStringLiteral("-");

class MenuSet {
public:
    MenuSet(QWidget* window, CommandTable& commands);

    // The top-level menus in their designed order.
    const QStringList& topLevelNames() const { return topLevel_; }
    QMenu* menu(const QString& name) const { return menus_.value(name, nullptr); }
    // A command or the menu action of a menu: what a bar can show under this name.
    QAction* item(const QString& name) const;
    // Every name a bar may hold: the top-level menus, then the commands.
    QStringList itemNames() const;
    // Caption shown for a bar item name (without accelerator marks).
    QString caption(const QString& name) const;

private:
    CommandTable& commands_;
    QStringList topLevel_;
    QHash<QString, QMenu*> menus_;
};

}  // namespace varmelo::gui
