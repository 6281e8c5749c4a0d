// The command table as the window shows it: every action, menu and bar item comes from the
// table with the table's texts, and the enable rules hold in the real window.
#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <map>

#include "core/settings/bar_layout.h"
#include "core/settings/command_table.h"
#include "gui/app/command_actions.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_set.h"
#include "gui/browser/archive_browser.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"
#include "support/img_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using varmelo::gui::testing::MemorySettings;
using varmelo::gui::testing::ScriptedPrompts;

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QStringList names(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& s : items) out << QString::fromStdString(s);
    return out;
}

QStringList itemNames(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return out;
}

}  // namespace

class AppCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void actionsCarryTheTableTexts();
    void menusAndBarsShowTheTablePlaces();
    void enableRulesHoldInTheWindow();
    void everyCommandIsBoundOnceTheWindowIsBuilt();
};

void AppCommandsTest::actionsCarryTheTableTexts() {
    QWidget window;
    CommandActions actions(&window);
    int commands = 0;
    for (const CommandDef& c : commandTable()) {
        QAction* a = actions.action(commandName(c.name));
        // The pages make their menus' actions.
        if (c.kind == CommandKind::Menu || c.kind == CommandKind::PageMenu || isPageCommand(c)) {
            QVERIFY(!a);
            continue;
        }
        ++commands;
        QVERIFY2(a, c.name.data());
        QCOMPARE(window.findChild<QAction*>(a->objectName()), a);
        QCOMPARE(a->text(), text(c.caption));
        const QString hint = text(c.hint);
        // A command without a hint shows its caption as its tooltip, as the toolkit does.
        QCOMPARE(a->toolTip(), hint.isEmpty() ? a->text() : hint.section('|', 0, 0));
        QCOMPARE(a->statusTip(), hint.section('|', 1));
        // A misspelt key name would give an empty or different key.
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), text(c.shortcut));
        QCOMPARE(a->isCheckable(), c.checkable);
        QCOMPARE(a->isChecked(), c.checked);
        QCOMPARE(a->data().toInt(), c.tag);
        QCOMPARE(a->icon().isNull(), c.icon == CommandIcon::None);
        QCOMPARE(actions.submenu(a->objectName()) != nullptr, c.kind == CommandKind::Submenu);
    }
    QCOMPARE(actions.actions().size(), commands);
}

void AppCommandsTest::menusAndBarsShowTheTablePlaces() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    const BarLayout d = defaultBarLayout();
    QCOMPARE(itemNames(w.menuBar()->actions()), names(d.menuBar));
    QCOMPARE(itemNames(w.programMenuBar()->actions()), names(d.menuBar));
    QCOMPARE(itemNames(w.toolBar()->actions()), names(d.toolbar));
    for (const CommandDef& c : commandTable()) {
        if (!c.opensMenu() || c.name == "LanguageMenu1") continue;  // filled from the language files
        if (c.kind == CommandKind::PageMenu) {
            // Each page of that menu (the DDS and the TGA page share one) shows its items.
            const QList<QMenu*> pageMenus = w.findChildren<QMenu*>(commandName(c.name));
            QVERIFY2(!pageMenus.isEmpty(), c.name.data());
            for (QMenu* m : pageMenus) QCOMPARE(itemNames(m->actions()), names(defaultMenuItems(c.name)));
            continue;
        }
        QMenu* m = w.menus().menu(commandName(c.name));
        QVERIFY2(m, c.name.data());
        QCOMPARE(m->title(), text(c.caption));
        QCOMPARE(itemNames(m->actions()), names(defaultMenuItems(c.name)));
    }
    for (QAction* a : w.toolBar()->actions()) {
        if (a->isSeparator()) continue;
        const CommandDef* c = findCommand(a->objectName().toStdString());
        QVERIFY(c);
        QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        auto* button = qobject_cast<QToolButton*>(w.toolBar()->widgetForAction(a));
        QVERIFY(button);
        QCOMPARE(button->toolButtonStyle(),
                 c->captionOnToolbar ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    }
}

void AppCommandsTest::enableRulesHoldInTheWindow() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.img");
    testing_support::ImgBuilder().add("a.txd", std::string(100, 'x')).add("b.txd", std::string(10, 'y'))
        .writeV2(path.toStdString());
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    auto* list = w.findChild<QAbstractItemView*>("List1");
    QVERIFY(list);

    using enum EnableRule;
    struct Step {
        const char* what;
        std::function<void()> act;
        std::map<EnableRule, bool> enabled;
    };
    const Step steps[] = {
        {"no archive", [] {},
         {{Always, true}, {ArchiveOpen, false}, {ArchiveEditable, false}, {RowSelected, false},
          {RowSelectedEditable, false}, {SearchStarted, false}, {ProgramMenuBar, true}}},
        {"an editable archive", [&] { w.browser().load(path, LoadOrigin::Drop); },
         {{ArchiveOpen, true}, {ArchiveEditable, true}, {RowSelected, false}, {RowSelectedEditable, false},
          {SearchStarted, false}}},
        {"a selected row",
         [&] { list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::ClearAndSelect |
                                                                              QItemSelectionModel::Rows); },
         {{RowSelected, true}, {RowSelectedEditable, true}, {SearchStarted, false}}},
        {"the find dialog opened", [&] { w.commands()["SearchFind1"]->trigger(); },
         {{SearchStarted, true}, {RowSelected, true}}},
        {"the native menu", [&] { w.selectMenuStyle(kStyleNative); }, {{ProgramMenuBar, false}, {RowSelected, true}}},
        {"the archive loaded again", [&] { w.browser().load(path, LoadOrigin::Drop); },
         {{RowSelected, false}, {SearchStarted, false}, {ArchiveEditable, true}, {ProgramMenuBar, false}}},
    };
    for (const Step& step : steps) {
        step.act();
        for (const CommandDef& c : commandTable()) {
            const auto expected = step.enabled.find(c.enabledWhen);
            if (expected == step.enabled.end() || c.kind == CommandKind::Menu || c.kind == CommandKind::PageMenu)
                continue;
            QAction* a = w.commands()[commandName(c.name)];
            if (!a->isVisible()) continue;  // an empty recent-file slot counts as disabled
            QVERIFY2(a->isEnabled() == expected->second,
                     qPrintable(QStringLiteral("%1: %2").arg(step.what, commandName(c.name))));
        }
    }
}

void AppCommandsTest::everyCommandIsBoundOnceTheWindowIsBuilt() {
    QWidget bare;
    QVERIFY(!CommandActions(&bare).unbound().isEmpty());

    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.commands().unbound(), QStringList());
    // A page's command is the action of its page's menu, with the table's caption.
    for (const CommandDef& c : commandTable()) {
        if (!isPageCommand(c)) continue;
        QAction* a = w.commands()[commandName(c.name)];
        QCOMPARE(a->text(), text(c.caption));
        QCOMPARE(a->parent()->objectName(), commandName(c.menu));
    }
}

QTEST_MAIN(AppCommandsTest)
#include "app_commands_test.moc"
