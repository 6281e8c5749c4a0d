// The bar customisation: what the dialog offers, what its buttons do, and the round trip
// through the window and the stored layout.
#include <QAction>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include "gui/app/command_actions.h"
#include "gui/app/customize_dialog.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_set.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"

using namespace varmelo::gui;
using varmelo::BarLayout;
using varmelo::defaultBarLayout;
using varmelo::gui::testing::MemorySettings;
using varmelo::gui::testing::ScriptedPrompts;

namespace {

QStringList names(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& s : items) out << QString::fromStdString(s);
    return out;
}

QStringList names(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->data(Qt::UserRole).toString();
    return out;
}

QStringList barNames(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return out;
}

void select(QListWidget* list, const QString& name) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toString() == name) {
            list->setCurrentRow(i);
            return;
        }
    QFAIL(qPrintable("no item " + name));
}

}  // namespace

class AppCustomizeTest : public QObject {
    Q_OBJECT
private slots:
    void dialogStartsFromTheCurrentLayout();
    void addRemoveAndMove();
    void serviceMenuCannotBeRemoved();
    void resetGivesTheDesign();
    void roundTripThroughTheWindow();
    void storedLayoutIsUsedAtStart();
    void nativeStyleCannotCustomize();
};

void AppCustomizeTest::dialogStartsFromTheCurrentLayout() {
    QWidget window;
    CommandActions table(&window);
    MenuSet menus(&window, table);
    const BarLayout current{{"FileOpen1", "-", "HelpAbout1"}, {"File1", "Service1"}};
    CustomizeDialog d(menus, current);
    QCOMPARE(names(d.page(0).shown), names(current.toolbar));
    QCOMPARE(names(d.page(1).shown), names(current.menuBar));
    // Available: a separator first, then everything not shown, commands only for the toolbar.
    const QStringList avail0 = names(d.page(0).available);
    QCOMPARE(avail0.first(), QString("-"));
    QVERIFY(!avail0.contains("FileOpen1"));
    QVERIFY(avail0.contains("FileNew1"));
    QVERIFY(!avail0.contains("File1"));
    const QStringList avail1 = names(d.page(1).available);
    QCOMPARE(avail1.mid(0, 5), QStringList({"-", "Edit1", "Search1", "LanguageMenu1", "Help1"}));
    QVERIFY(avail1.contains("HelpAbout1"));
    QCOMPARE(d.layout(), current);
    QCOMPARE(d.page(0).shown->item(0)->text(), QString("Открыть..."));
}

void AppCustomizeTest::addRemoveAndMove() {
    QWidget window;
    CommandActions table(&window);
    MenuSet menus(&window, table);
    CustomizeDialog d(menus, BarLayout{{"FileOpen1"}, {"File1", "Service1"}});
    const auto& p = d.page(0);
    select(p.available, "EditExtract1");
    select(p.shown, "FileOpen1");
    p.add->click();  // goes after the selected item
    QCOMPARE(names(p.shown), QStringList({"FileOpen1", "EditExtract1"}));
    QVERIFY(!names(p.available).contains("EditExtract1"));
    select(p.available, "-");
    p.add->click();
    select(p.available, "-");
    p.add->click();
    QCOMPARE(names(p.shown), QStringList({"FileOpen1", "EditExtract1", "-", "-"}));
    QCOMPARE(names(p.available).count("-"), 1);  // separators stay available
    p.remove->click();
    select(p.shown, "EditExtract1");
    p.up->click();
    QCOMPARE(names(p.shown), QStringList({"EditExtract1", "FileOpen1", "-"}));
    QVERIFY(!p.up->isEnabled());
    p.down->click();
    p.down->click();
    QCOMPARE(names(p.shown), QStringList({"FileOpen1", "-", "EditExtract1"}));
    QVERIFY(!p.down->isEnabled());
    p.remove->click();
    QCOMPARE(names(p.shown), QStringList({"FileOpen1", "-"}));
    // Back in the available list at its designed place, after the commands before it.
    const QStringList avail = names(p.available);
    QVERIFY(avail.indexOf("EditExtract1") > avail.indexOf("EditRename1"));
    QVERIFY(avail.indexOf("EditExtract1") < avail.indexOf("EditReplace1"));
    QCOMPARE(names(d.layout().toolbar), QStringList({"FileOpen1", "-"}));
}

void AppCustomizeTest::serviceMenuCannotBeRemoved() {
    QWidget window;
    CommandActions table(&window);
    MenuSet menus(&window, table);
    CustomizeDialog d(menus, defaultBarLayout());
    const auto& p = d.page(1);
    select(p.shown, "Service1");
    QVERIFY(!p.remove->isEnabled());
    d.removeItem(1);
    QVERIFY(names(p.shown).contains("Service1"));
    select(p.shown, "Help1");
    QVERIFY(p.remove->isEnabled());
}

void AppCustomizeTest::resetGivesTheDesign() {
    QWidget window;
    CommandActions table(&window);
    MenuSet menus(&window, table);
    CustomizeDialog d(menus, BarLayout{{"HelpAbout1"}, {"Service1"}});
    d.findChild<QPushButton*>("CustomizeReset1")->click();
    QCOMPARE(d.layout(), defaultBarLayout());
}

void AppCustomizeTest::roundTripThroughTheWindow() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.barLayout(), defaultBarLayout());
    QTimer::singleShot(0, [&w] {
        auto* d = w.findChild<CustomizeDialog*>();
        QVERIFY(d);
        select(d->page(0).shown, "HelpAbout1");
        d->removeItem(0);
        select(d->page(1).available, "FileOpen1");
        select(d->page(1).shown, "File1");
        d->addItem(1);
        d->accept();
    });
    w.commands()["CustomizeActionBars1"]->trigger();
    const BarLayout expected{{"FileNew1", "FileOpen1", "-", "EditExtract1", "EditAdd1", "EditRemove1", "-",
                              "SearchFind1", "SearchFindNext1", "SearchFilter1"},
                             {"File1", "FileOpen1", "Edit1", "Search1", "Service1", "LanguageMenu1", "Help1"}};
    QCOMPARE(w.barLayout(), expected);
    QVERIFY(settings.bars.has_value());
    QCOMPARE(*settings.bars, expected);
    QCOMPARE(barNames(w.toolBar()->actions()), names(expected.toolbar));
    QCOMPARE(barNames(w.programMenuBar()->actions()), names(expected.menuBar));
    // The native menu keeps its designed menus.
    QCOMPARE(barNames(w.menuBar()->actions()),
             QStringList({"File1", "Edit1", "Search1", "Service1", "LanguageMenu1", "Help1"}));

    // Cancel changes nothing.
    QTimer::singleShot(0, [&w] {
        auto* d = w.findChild<CustomizeDialog*>();
        d->resetToDefault();
        d->reject();
    });
    w.commands()["CustomizeActionBars1"]->trigger();
    QCOMPARE(w.barLayout(), expected);
    QCOMPARE(settings.writes["actdata"], 1);
}

void AppCustomizeTest::storedLayoutIsUsedAtStart() {
    MemorySettings settings;
    settings.bars = BarLayout{{"HelpAbout1", "Unknown1", "FileOpen1"}, {"Help1", "File1"}};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(barNames(w.toolBar()->actions()), QStringList({"HelpAbout1", "FileOpen1"}));
    QCOMPARE(barNames(w.programMenuBar()->actions()), QStringList({"Help1", "File1", "Service1"}));
}

void AppCustomizeTest::nativeStyleCannotCustomize() {
    MemorySettings settings;
    settings.menuStyleValue = -1;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QVERIFY(!w.commands()["CustomizeActionBars1"]->isEnabled());
    w.customizeBars();  // even when called directly, no dialog opens
    QVERIFY(!w.findChild<CustomizeDialog*>());
}

QTEST_MAIN(AppCustomizeTest)
#include "app_customize_test.moc"
