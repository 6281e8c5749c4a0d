#include "gui/app/menu_set.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "gui/app/command_table.h"

namespace varmelo::gui {

namespace {

struct MenuDesign {
    const char* name;
    const char* caption;  // nullptr: a submenu command of the table gives it
    QStringList items;
};

const QList<MenuDesign>& design() {
    static const QList<MenuDesign> menus = {
        {"File1", "Файл",
         {"FileNew1", "FileOpen1", "-", "MRUFile1", "MRUFile2", "MRUFile3", "MRUFile4", "MRUFile5", "-", "FileExit1"}},
        {"Edit1", "Правка",
         {"EditOpen1", "EditRename1", "-", "EditExtract1", "EditReplace1", "EditAdd1", "EditRemove1"}},
        {"Search1", "Поиск", {"SearchFind1", "SearchFindNext1", "SearchFindAll1", "-", "SearchFilter1"}},
        {"Service1", "Сервис",
         {"ServiceRebuild1", "-", "ServiceToolbar1", "ServicePreview1", "ServiceAntialiasing1", "-",
          "ServiceAssociations1", "-", "ServiceStyle1", "CustomizeActionBars1"}},
        {"LanguageMenu1", nullptr, {"LanguageSelect1"}},
        {"Help1", "Справка", {"HelpAbout1"}},
    };
    return menus;
}

const QList<MenuDesign>& submenuDesign() {
    static const QList<MenuDesign> menus = {
        {"ServiceAssociations1", nullptr,
         {"ServiceOpenAll1", "-", "ServiceGTA1", "ServiceSyberia1", "ServiceHP1", "ServicePrey1",
          "ServiceBratva1", "ServiceCleaners1"}},
        {"ServiceStyle1", nullptr, {"ServiceDefault1", "ServiceXP1", "ServiceStandard1"}},
    };
    return menus;
}

void fill(QMenu* menu, const QStringList& items, const CommandTable& commands) {
    for (const QString& item : items) {
        if (item == kSeparator)
            menu->addSeparator();
        else if (QAction* a = commands.action(item))
            menu->addAction(a);
    }
}

}  // namespace

MenuSet::MenuSet(QWidget* window, CommandTable& commands) : commands_(commands) {
    for (const MenuDesign& d : submenuDesign()) {
        QMenu* m = commands.submenu(QString::fromLatin1(d.name));
        fill(m, d.items, commands);
        menus_.insert(m->objectName(), m);
    }
    for (const MenuDesign& d : design()) {
        const QString name = QString::fromLatin1(d.name);
        QMenu* m = commands.submenu(name);
        if (!m) {
            m = new QMenu(QString::fromUtf8(d.caption), window);
            m->setObjectName(name);
            m->menuAction()->setObjectName(name);
        }
        fill(m, d.items, commands);
        menus_.insert(name, m);
        topLevel_.append(name);
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
