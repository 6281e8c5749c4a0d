// The command table as the user meets it: captions, hints, shortcuts, check marks and the
// enabled state at start, and the menus and bars built from it.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "gui/app/bar_layout.h"
#include "gui/app/command_icons.h"
#include "gui/app/command_table.h"
#include "gui/app/menu_set.h"

using namespace varmelo::gui;

namespace {

QStringList itemNames(const QList<QAction*>& actions) {
    QStringList names;
    for (QAction* a : actions) names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return names;
}

}  // namespace

class AppCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void everyCommand_data();
    void everyCommand();
    void tableHasEveryCommandOnce();
    void styleAndRecentTags();
    void menusHoldTheDesignedItems_data();
    void menusHoldTheDesignedItems();
    void toolbarShowsImagesExceptAbout();
    void unknownStoredItemsAreDroppedAndServiceStays();
};

void AppCommandsTest::everyCommand_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");
    auto row = [](const char* name, const char* caption, const char* tip, const char* status, const char* key,
                  bool checkable, bool checked, bool enabled) {
        QTest::newRow(name) << QString::fromUtf8(caption) << QString::fromUtf8(tip) << QString::fromUtf8(status)
                            << QString::fromLatin1(key) << checkable << checked << enabled;
    };
    row("FileNew1", "Создать...", "Создать", "Создать новый псевдоархив", "Ctrl+N", false, false, true);
    row("FileOpen1", "Открыть...", "Открыть", "Открыть существующий файл", "Ctrl+O", false, false, true);
    row("MRUFile1", "Файл 1", "", "", "", false, false, true);
    row("MRUFile5", "Файл 5", "", "", "", false, false, true);
    row("FileExit1", "Выход", "Выход", "Выйти из Varmelo", "", false, false, true);
    row("EditOpen1", "Открыть", "Открыть", "Открыть во внешнем редакторе", "", false, false, false);
    row("EditRename1", "Переименовать", "Переименовать", "Переименовать выбранный файл", "F2", false, false, false);
    row("EditExtract1", "Извлечь...", "Извлечь", "Извлечь файл(ы) в выбранную папку", "", false, false, false);
    row("EditReplace1", "Заменить...", "Заменить", "Заменить выбранный файл", "", false, false, false);
    row("EditAdd1", "Добавить...", "Добавить", "Добавить новый файл в архив", "Ins", false, false, false);
    row("EditRemove1", "Удалить", "Удалить", "Удалить выбранный файл из архива", "Del", false, false, false);
    row("SearchFind1", "Найти...", "Найти", "Поиск файла по маске", "Ctrl+F", false, false, false);
    row("SearchFindNext1", "Найти далее", "Найти далее", "Поиск следующего файла", "F3", false, false, false);
    row("SearchFindAll1", "Найти все", "Найти все", "Найти и выбрать все подходящие файлы", "", false, false, false);
    row("SearchFilter1", "Фильтр...", "Фильтр", "Отобразить только файлы, соответствующие маске", "", true, false, false);
    row("ServiceRebuild1", "Перепаковать архив", "Перепаковать архив", "Переупорядочить файлы в архиве", "", false,
        false, false);
    row("ServiceToolbar1", "Панель инструментов", "Панель инструментов", "Показать/скрыть панель инструментов", "",
        true, true, true);
    row("ServicePreview1", "Панель просмотра", "Панель просмотра", "Показать/скрыть панель просмотра", "Ctrl+P",
        true, true, true);
    row("ServiceAntialiasing1", "Сглаживание", "Сглаживание", "Использовать сглаживание при просмотре", "", true,
        true, true);
    row("ServiceAssociations1", "Открывать в Varmelo", "", "", "", false, false, true);
    row("ServiceOpenAll1", "Все поддерживаемые файлы", "Все поддерживаемые файлы",
        "Открывать в Varmelo все поддерживаемые им типы файлов", "", true, false, true);
    row("ServiceGTA1", "Архивы Grand Theft Auto", "Архивы Grand Theft Auto", "Открывать в Varmelo архивы IMG", "",
        true, false, true);
    row("ServiceSyberia1", "Архивы Syberia", "Архивы Syberia", "Открывать в Varmelo архивы SYB", "", true, false, true);
    row("ServiceHP1", "Архивы Harry Potter and the Goblet of Fire", "Архивы Harry Potter and the Goblet of Fire",
        "Открывать в Varmelo архивы BIG", "", true, false, true);
    row("ServicePrey1", "Архивы Prey", "Архивы Prey", "Открывать в Varmelo архивы PK4", "", true, false, true);
    row("ServiceBratva1", "Архивы \"Братвы и Кольца\"", "Архивы \"Братвы и Кольца\"",
        "Открывать в Varmelo архивы BIN", "", true, false, true);
    row("ServiceCleaners1", "Архивы \"Санитаров Подземелий\"", "Архивы \"Санитаров Подземелий\"",
        "Открывать в Varmelo архивы PAK", "", true, false, true);
    row("ServiceStyle1", "Главное меню", "", "", "", false, false, true);
    row("ServiceDefault1", "Стандартное Windows", "Стандартное Windows", "Стиль меню, используемый по умолчанию", "",
        true, false, true);
    row("ServiceXP1", "XP Style", "XP Style", "Меню в стиле MS Office XP", "", true, false, true);
    row("ServiceStandard1", "Обычное", "Обычное", "Обычное меню", "", true, false, true);
    row("CustomizeActionBars1", "Настройка...", "Настройка", "Настройка меню и панели инструментов", "", false,
        false, true);
    row("LanguageMenu1", "Language", "", "", "", false, false, true);
    row("LanguageSelect1", "Select default language", "Select default language", "Select language used in Windows",
        "", false, false, true);
    row("HelpAbout1", "О программе", "", "", "", false, false, true);
}

void AppCommandsTest::everyCommand() {
    QWidget window;
    CommandTable table(&window);
    QAction* a = table.action(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(a);
    QCOMPARE(a->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);
    QFETCH(QString, shortcut);
    QFETCH(bool, checkable);
    QFETCH(bool, checked);
    QFETCH(bool, enabled);
    QCOMPARE(a->text(), caption);
    // A command without a hint shows its caption as its tooltip, as the toolkit does.
    QCOMPARE(a->toolTip(), toolTip.isEmpty() ? caption : toolTip);
    QCOMPARE(a->statusTip(), statusTip);
    QCOMPARE(a->shortcut(), QKeySequence(shortcut));
    QCOMPARE(a->isCheckable(), checkable);
    QCOMPARE(a->isChecked(), checked);
    QCOMPARE(a->isEnabled(), enabled);
    // Found by name from the window, as the browser and a language file look for them.
    QCOMPARE(window.findChild<QAction*>(a->objectName()), a);
}

void AppCommandsTest::tableHasEveryCommandOnce() {
    QWidget window;
    CommandTable table(&window);
    QStringList names;
    for (QAction* a : table.actions()) names << a->objectName();
    QCOMPARE(names.size(), 38);
    QCOMPARE(names.removeDuplicates(), 0);
    // The eight shortcuts, each on one command.
    QStringList keys;
    for (QAction* a : table.actions())
        if (!a->shortcut().isEmpty()) keys << a->shortcut().toString();
    keys.sort();
    QCOMPARE(keys, QStringList({"Ctrl+F", "Ctrl+N", "Ctrl+O", "Ctrl+P", "Del", "F2", "F3", "Ins"}));
}

void AppCommandsTest::styleAndRecentTags() {
    QWidget window;
    CommandTable table(&window);
    QCOMPARE(table["ServiceDefault1"]->data().toInt(), -1);
    QCOMPARE(table["ServiceXP1"]->data().toInt(), 0);
    QCOMPARE(table["ServiceStandard1"]->data().toInt(), 1);
    for (int i = 0; i < 5; ++i) QCOMPARE(table.action(QStringLiteral("MRUFile%1").arg(i + 1))->data().toInt(), i);
    const char* assoc[] = {"ServiceGTA1", "ServiceSyberia1", "ServiceHP1", "ServicePrey1", "ServiceBratva1",
                           "ServiceCleaners1"};
    for (int i = 0; i < 6; ++i) QCOMPARE(table[assoc[i]]->data().toInt(), i);
    QVERIFY(table.submenu("ServiceStyle1"));
    QCOMPARE(table.submenu("ServiceStyle1")->menuAction(), table["ServiceStyle1"]);
}

void AppCommandsTest::menusHoldTheDesignedItems_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("File1") << "Файл"
                           << QStringList{"FileNew1", "FileOpen1", "-", "MRUFile1", "MRUFile2", "MRUFile3",
                                          "MRUFile4", "MRUFile5", "-", "FileExit1"};
    QTest::newRow("Edit1") << "Правка"
                           << QStringList{"EditOpen1", "EditRename1", "-", "EditExtract1", "EditReplace1",
                                          "EditAdd1", "EditRemove1"};
    QTest::newRow("Search1") << "Поиск"
                             << QStringList{"SearchFind1", "SearchFindNext1", "SearchFindAll1", "-", "SearchFilter1"};
    QTest::newRow("Service1") << "Сервис"
                              << QStringList{"ServiceRebuild1", "-", "ServiceToolbar1", "ServicePreview1",
                                             "ServiceAntialiasing1", "-", "ServiceAssociations1", "-",
                                             "ServiceStyle1", "CustomizeActionBars1"};
    QTest::newRow("ServiceAssociations1")
        << "Открывать в Varmelo"
        << QStringList{"ServiceOpenAll1", "-", "ServiceGTA1", "ServiceSyberia1", "ServiceHP1", "ServicePrey1",
                       "ServiceBratva1", "ServiceCleaners1"};
    QTest::newRow("ServiceStyle1") << "Главное меню"
                                   << QStringList{"ServiceDefault1", "ServiceXP1", "ServiceStandard1"};
    QTest::newRow("LanguageMenu1") << "Language" << QStringList{"LanguageSelect1"};
    QTest::newRow("Help1") << "Справка" << QStringList{"HelpAbout1"};
}

void AppCommandsTest::menusHoldTheDesignedItems() {
    QWidget window;
    CommandTable table(&window);
    MenuSet menus(&window, table);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    QMenu* m = menus.menu(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(m);
    QCOMPARE(m->title(), caption);
    QCOMPARE(itemNames(m->actions()), items);
    QCOMPARE(menus.topLevelNames(), QStringList({"File1", "Edit1", "Search1", "Service1", "LanguageMenu1", "Help1"}));
}

void AppCommandsTest::toolbarShowsImagesExceptAbout() {
    QWidget window;
    CommandTable table(&window);
    setCommandIcons(table);
    MenuSet menus(&window, table);
    QToolBar bar;
    fillToolBar(&bar, defaultBarLayout().toolbar, menus);
    QCOMPARE(itemNames(bar.actions()),
             QStringList({"FileNew1", "FileOpen1", "-", "EditExtract1", "EditAdd1", "EditRemove1", "-", "SearchFind1",
                          "SearchFindNext1", "SearchFilter1", "-", "HelpAbout1"}));
    for (QAction* a : bar.actions()) {
        if (a->isSeparator()) continue;
        auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(a));
        QVERIFY(button);
        QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        const auto expected = a->objectName() == "HelpAbout1" ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly;
        QCOMPARE(button->toolButtonStyle(), expected);
    }
}

void AppCommandsTest::unknownStoredItemsAreDroppedAndServiceStays() {
    QWidget window;
    CommandTable table(&window);
    MenuSet menus(&window, table);
    BarLayout stored{{"-", "FileOpen1", "NoSuchCommand", "-", "-", "FileOpen1", "HelpAbout1", "-"},
                     {"Help1", "Gone1", "File1"}};
    const BarLayout clean = sanitized(stored, menus);
    QCOMPARE(clean.toolbar, QStringList({"FileOpen1", "-", "HelpAbout1"}));
    QCOMPARE(clean.menuBar, QStringList({"Help1", "File1", "Service1"}));
    QMenuBar bar;
    fillMenuBar(&bar, clean.menuBar, menus);
    QCOMPARE(bar.actions().size(), 3);
    QCOMPARE(bar.actions()[1]->menu(), menus.menu("File1"));
}

QTEST_MAIN(AppCommandsTest)
#include "app_commands_test.moc"
