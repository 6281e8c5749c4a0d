// The main window as a user finds it: its parts and their names, the bars, the toggles,
// the ways an archive comes in (command line, drop, recent files) and the menu styles.
#include <QAbstractItemView>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "gui/app/command_actions.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_set.h"
#include "gui/browser/archive_browser.h"
#include "core/io/binary_file.h"
#include "core/model/dff_reader.h"
#include "core/texture/txd_reader.h"
#include "core/version.h"
#include "gui/preview/preview_panel.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"
#include "support/demo_vehicle.h"
#include "support/img_builder.h"
#include "support/txd_builder.h"

using namespace varmelo::gui;
using varmelo::gui::testing::MemorySettings;
using varmelo::gui::testing::ScriptedPrompts;

namespace {

// A small single-file archive with one texture entry.
QString makeFile(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    testing_support::ImgBuilder().add("road.txd", std::string(100, 'x')).writeV2(path.toStdString());
    return path;
}

void dropFiles(QWidget* target, const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data->setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    delete data;
}

}  // namespace

class AppWindowTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAndNames();
    void splitterKeepsBothSidesWide();
    void statusPanelShowsTextsAndHints();
    void toolbarToggle();
    void previewToggleKeepsThePage();
    void commandLineFirstExistingFileOnFirstShowOnly();
    void relativeCommandLinePathIsRecordedWhole();
    void dropOpensFirstFileOnly();
    void recentFilesFollowEveryLoad();
    void recentFileCommandOpensItsPath();
    void menuStyles_data();
    void menuStyles();
    void switchingStylesKeepsTheSameItems();
    void exitClosesAndSetsClosing();
    void selectionPreviewsOnlyWhileThePanelShows();
    void walkingTheRowsAsksNothingAndTheStatusLineFollows();
};

void AppWindowTest::layoutAndNames() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.objectName(), QString("frm1"));
    QCOMPARE(w.windowTitle(), "Varmelo " + QString::fromLatin1(varmelo::kProgramVersion));
    QCOMPARE(w.size(), QSize(719, 448));
    QCOMPARE(w.minimumWidth(), 531);
    QCOMPARE(w.font().family(), QString("Arial"));
    QCOMPARE(w.font().pointSize(), 8);

    auto* strip = w.findChild<QToolBar*>("MainMenuBar1");
    auto* tools = w.findChild<QToolBar*>("ToolBar1");
    QVERIFY(strip && tools);
    QCOMPARE(strip->windowTitle(), QString("Главное меню"));
    QCOMPARE(tools->windowTitle(), QString("Главная панель"));
    // Menu bar above the toolbar, both at the top.
    QCOMPARE(w.toolBarArea(strip), Qt::TopToolBarArea);
    QCOMPARE(w.toolBarArea(tools), Qt::TopToolBarArea);
    QVERIFY(w.toolBarBreak(tools));

    auto* splitter = w.findChild<QSplitter*>("Splitter1");
    QVERIFY(splitter);
    QCOMPARE(w.centralWidget(), splitter);
    QCOMPARE(splitter->count(), 2);
    QCOMPARE(splitter->widget(0)->objectName(), QString("Panel3"));
    QCOMPARE(splitter->widget(1)->objectName(), QString("Notebook1"));
    QWidget* list = w.findChild<QWidget*>("List1");
    QVERIFY(list);
    QCOMPARE(list->parentWidget(), splitter->widget(0));

    auto* notebook = w.findChild<QStackedWidget*>("Notebook1");
    QCOMPARE(notebook->count(), 7);
    const QStringList pages{"Default", "TXD", "DFF", "IPL", "COL", "DDS", "TGA"};
    for (int i = 0; i < 7; ++i) QCOMPARE(notebook->widget(i)->objectName(), pages[i]);
    QCOMPARE(notebook->currentIndex(), 0);
    auto* select = w.findChild<QLabel*>("SelectFile1");
    QVERIFY(select);
    QCOMPARE(select->text(), QString("Файлы не выбраны или их формат не поддерживается"));
    QVERIFY(select->wordWrap());
    QCOMPARE(select->parentWidget(), notebook->widget(0));

    QCOMPARE(w.statusBar()->objectName(), QString("StatusBar1"));
    QCOMPARE(w.menuBar()->objectName(), QString("MainMenu1"));
    QVERIFY(w.findChild<QWidget*>("frm5"));
}

void AppWindowTest::splitterKeepsBothSidesWide() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* splitter = w.findChild<QSplitter*>("Splitter1");
    QCOMPARE(splitter->sizes().at(1), 264);
    QVERIFY(!splitter->childrenCollapsible());
    QVERIFY(splitter->opaqueResize());
    // Dragging the handle to either end stops 260 pixels from it.
    splitter->setSizes({10, 2000});
    QVERIFY(splitter->sizes().at(0) >= 260);
    splitter->setSizes({2000, 10});
    QVERIFY(splitter->sizes().at(1) >= 260);
    // A wider window gives the room to the list, not to the preview.
    splitter->setSizes({w.width(), 264});
    const int before = splitter->sizes().at(1);
    w.resize(1000, 448);
    QTRY_COMPARE(splitter->sizes().at(1), before);
}

void AppWindowTest::statusPanelShowsTextsAndHints() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.showStatus("Загрузка завершена");
    QCOMPARE(w.statusPanel()->text(), QString("Загрузка завершена"));
    // The long part of a hint replaces the text while the mouse is over the command.
    QStatusTipEvent tip(w.commands()["FileOpen1"]->statusTip());
    QCoreApplication::sendEvent(&w, &tip);
    QCOMPARE(w.statusBar()->currentMessage(), QString("Открыть существующий файл"));
    QVERIFY(!w.statusPanel()->isVisible());
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&w, &none);
    QVERIFY(w.statusPanel()->isVisible());
    QCOMPARE(w.statusPanel()->text(), QString("Загрузка завершена"));
}

void AppWindowTest::toolbarToggle() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QAction* a = w.commands()["ServiceToolbar1"];
    QVERIFY(a->isChecked());
    QVERIFY(w.toolBar()->isVisible());
    a->trigger();
    QVERIFY(!a->isChecked());
    QVERIFY(!w.toolBar()->isVisible());
    a->trigger();
    QVERIFY(w.toolBar()->isVisible());
    QCOMPARE(settings.writes.count("Toolbar"), size_t(0));
}

void AppWindowTest::previewToggleKeepsThePage() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QAction* a = w.commands()["ServicePreview1"];
    QCOMPARE(a->shortcut(), QKeySequence("Ctrl+P"));
    PreviewPanel& panel = w.previewPanel();
    panel.setCurrentIndex(3);
    a->trigger();
    QVERIFY(!panel.isVisible());
    auto* splitter = w.findChild<QSplitter*>("Splitter1");
    QTRY_VERIFY(!splitter->handle(1)->isVisible());
    a->trigger();
    QVERIFY(panel.isVisible());
    QTRY_VERIFY(splitter->handle(1)->isVisible());
    QCOMPARE(panel.currentIndex(), 3);
}

void AppWindowTest::commandLineFirstExistingFileOnFirstShowOnly() {
    QTemporaryDir dir;
    const QString b = makeFile(dir, "b.img"), c = makeFile(dir, "c.img");
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {"varmelo", dir.filePath("missing.img"), dir.path(), b, c});
    QCOMPARE(settings.recent[0], std::string());
    w.show();
    QTRY_COMPARE(QString::fromStdString(settings.recent[0]), b);
    QTRY_COMPARE(w.browser().archive().Entries.size(), size_t(1));
    QCOMPARE(w.browser().archive().Entries[0].Name, std::string("road.txd"));
    QCOMPARE(w.statusPanel()->text(), QString("Загрузка завершена"));
    w.hide();
    w.show();
    // A load on show runs from a zero-time timer: once the posted events are done, it would have.
    QCoreApplication::processEvents();
    QCOMPARE(QString::fromStdString(settings.recent[1]), QString());
    QCOMPARE(prompts.asked.size(), 0);
}

void AppWindowTest::relativeCommandLinePathIsRecordedWhole() {
    QTemporaryDir dir;
    const QString a = makeFile(dir, "a.img");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {"varmelo", "a.img"});
    w.show();
    QTRY_COMPARE(QString::fromStdString(settings.recent[0]), QFileInfo(a).absoluteFilePath());
    QDir::setCurrent(before);
}

void AppWindowTest::dropOpensFirstFileOnly() {
    QTemporaryDir dir;
    const QString a = makeFile(dir, "a.img"), b = makeFile(dir, "b.img");
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QVERIFY(w.acceptDrops());
    dropFiles(&w, {a, b});
    QTRY_COMPARE(QString::fromStdString(settings.recent[0]), a);
    QTRY_COMPARE(w.browser().archive().ArchivePath, a.toStdString());
    QCOMPARE(w.browser().archive().Entries.size(), size_t(1));
    QCOMPARE(QString::fromStdString(settings.recent[1]), QString());
}

void AppWindowTest::recentFilesFollowEveryLoad() {
    MemorySettings settings;
    settings.recent = {"/old/1.img", "", "", "", ""};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    CommandActions& c = w.commands();
    QCOMPARE(c["MRUFile1"]->text(), QString("/old/1.img"));
    QVERIFY(c["MRUFile1"]->isVisible());
    for (int i = 2; i <= 5; ++i) QVERIFY(!c.action(QString("MRUFile%1").arg(i))->isVisible());

    for (const char* p : {"/a.img", "/b & c.img", "/a.img", "/a.img", "/d.img", "/e.img"})
        w.browser().load(QString::fromUtf8(p), LoadOrigin::Drop);
    const QStringList expected{"/e.img", "/d.img", "/a.img", "/b & c.img", "/a.img"};
    for (int i = 0; i < 5; ++i) {
        QAction* a = c.action(QString("MRUFile%1").arg(i + 1));
        QCOMPARE(QString::fromStdString(settings.recent[size_t(i)]), expected[i]);
        QVERIFY(a->isVisible());
        // An ampersand in a path is shown, not taken for a keyboard mark.
        QCOMPARE(a->text(), QString(expected[i]).replace("&", "&&"));
    }
}

void AppWindowTest::recentFileCommandOpensItsPath() {
    QTemporaryDir dir;
    const std::string three = makeFile(dir, "three.img").toStdString();
    MemorySettings settings;
    settings.recent = {"/one.img", "/two.img", three, "", ""};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.commands()["MRUFile3"]->trigger();
    QCOMPARE(settings.recent[0], three);
    QCOMPARE(settings.recent[3], three);
    QCOMPARE(w.browser().archive().ArchivePath, three);
    QCOMPARE(prompts.asked.size(), 0);
}

void AppWindowTest::menuStyles_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("native");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<bool>("xpLook");
    QTest::newRow("native") << -1 << true << "ServiceDefault1" << false;
    QTest::newRow("other negative") << -7 << true << "" << false;
    QTest::newRow("xp") << 0 << false << "ServiceXP1" << true;
    QTest::newRow("plain") << 1 << false << "ServiceStandard1" << false;
    QTest::newRow("five") << 5 << false << "" << false;
}

void AppWindowTest::menuStyles() {
    QFETCH(int, stored);
    QFETCH(bool, native);
    QFETCH(QString, checked);
    QFETCH(bool, xpLook);
    MemorySettings settings;
    settings.menuStyleValue = stored;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QCOMPARE(w.menuBar()->isVisible(), native);
    QCOMPARE(w.menuBarStrip()->isVisible(), !native);
    QCOMPARE(w.commands()["CustomizeActionBars1"]->isEnabled(), !native);
    for (const char* name : {"ServiceDefault1", "ServiceXP1", "ServiceStandard1"})
        QCOMPARE(w.commands()[name]->isChecked(), checked == name);
    // The stored value is written back as it was.
    QCOMPARE(settings.menuStyleValue, stored);
    QCOMPARE(settings.writes["MenuStyle"], 1);
    const QString sheet = w.programMenuBar()->styleSheet();
    QCOMPARE(sheet.isEmpty(), native);
    if (!native) QCOMPARE(sheet.contains("#316ac5"), xpLook);
}

void AppWindowTest::switchingStylesKeepsTheSameItems() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    auto topMenus = [](QMenuBar* bar) {
        QList<QMenu*> menus;
        for (QAction* a : bar->actions()) menus << a->menu();
        return menus;
    };
    const QList<QMenu*> before = topMenus(w.programMenuBar());
    QCOMPARE(before.size(), 6);
    QCOMPARE(topMenus(w.menuBar()), before);

    w.commands()["ServiceDefault1"]->trigger();
    QVERIFY(w.menuBar()->isVisible());
    QVERIFY(!w.menuBarStrip()->isVisible());
    QVERIFY(!w.commands()["CustomizeActionBars1"]->isEnabled());
    QCOMPARE(settings.menuStyleValue, -1);
    QVERIFY(w.menus().menu("File1")->styleSheet().isEmpty());

    // Running the checked style again keeps it checked.
    w.commands()["ServiceDefault1"]->trigger();
    QVERIFY(w.commands()["ServiceDefault1"]->isChecked());

    w.commands()["ServiceXP1"]->trigger();
    QVERIFY(!w.menuBar()->isVisible());
    QVERIFY(w.menuBarStrip()->isVisible());
    QVERIFY(w.commands()["CustomizeActionBars1"]->isEnabled());
    QCOMPARE(topMenus(w.programMenuBar()), before);
    QCOMPARE(w.menus().menu("File1")->actions().size(), 12);
    QCOMPARE(settings.menuStyleValue, 0);
    QVERIFY(!w.commands()["ServiceDefault1"]->isChecked());

    w.commands()["ServiceStandard1"]->trigger();
    QCOMPARE(settings.menuStyleValue, 1);
    QCOMPARE(settings.writes["MenuStyle"], 5);  // start, and every switch
}

void AppWindowTest::exitClosesAndSetsClosing() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QVERIFY(w.isVisible());
    w.commands()["FileExit1"]->trigger();
    QVERIFY(!w.isVisible());
    // The language menu is back to its designed single item.
    QCOMPARE(w.menus().menu("LanguageMenu1")->actions(), QList<QAction*>{w.commands()["LanguageSelect1"]});
}

void AppWindowTest::selectionPreviewsOnlyWhileThePanelShows() {
    QTemporaryDir dir;
    const QString path = dir.filePath("two.img");
    testing_support::ImgBuilder().add("a.txd", std::string(10, 'a')).add("b.txd", "RWTX" + std::string(10, 'b'))
        .writeV2(path.toStdString());
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QStringList seen;
    w.previewPanel().setPagePreview(varmelo::gui::PreviewPage::Txd, [&seen](PreviewRequest& r) {
        r.file.seek(r.offset);
        const auto head = r.file.readExact(4);
        seen << QString::fromStdString(r.name) + ":" + QString::fromLatin1(reinterpret_cast<const char*>(head.data()), 4);
    });
    w.browser().load(path, LoadOrigin::Drop);
    auto* list = w.findChild<QAbstractItemView*>("List1");
    QVERIFY(list);
    QCOMPARE(list->model()->rowCount(), 2);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTRY_COMPARE(seen, QStringList{"b.txd:RWTX"});
    QVERIFY(w.commands()["EditExtract1"]->isEnabled());

    w.commands()["ServicePreview1"]->trigger();
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCoreApplication::processEvents();  // whatever the selection posted has run
    QCOMPARE(seen.size(), 1);
    QVERIFY(w.commands()["EditExtract1"]->isEnabled());
    w.commands()["ServicePreview1"]->trigger();
    QCOMPARE(seen.size(), 1);  // showing the panel again runs no preview
    QVERIFY(prompts.asked.isEmpty());
}

void AppWindowTest::walkingTheRowsAsksNothingAndTheStatusLineFollows() {
    QTemporaryDir dir;
    const std::vector<uint8_t> dff = testing_support::demoVehicle(), txd = testing_support::demoDictionary();
    auto half = [](const std::vector<uint8_t>& b) { return std::vector<uint8_t>(b.begin(), b.begin() + long(b.size() / 2)); };
    const std::string path = dir.filePath("a.img").toStdString();
    testing_support::ImgBuilder().add("infernus.dff", dff).add("infernus.txd", txd).add("cut.dff", half(dff)).add("cut.txd", half(txd)).writeV2(path);
    MemorySettings settings;
    settings.gameViewValue = true;  // that dictionary has none of the model's textures
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.browser().load(QString::fromStdString(path), LoadOrigin::Drop);
    auto* list = w.findChild<QAbstractItemView*>("List1");
    auto select = [&](int row) { list->setCurrentIndex(list->model()->index(row, 0)); return w.statusPanel()->text(); };
    QVERIFY(select(0).startsWith("Нет текстур: "));
    QCOMPARE(select(1), QString());
    // A damaged row: the core's own words, read as the page reads them, on the page and the status bar.
    const varmelo::Archive& a = w.browser().archive();
    auto entry = [&](int e) { return varmelo::EntryReader::open(path, a.byteOffset(a.Entries[e]), a.byteSize(a.Entries[e])); };
    auto failure = [&](int e, auto read) { auto r = entry(e); return QString::fromStdString(read(r).error); };
    QCOMPARE(select(2), failure(2, varmelo::ReadDffClump));
    QCOMPARE(w.findChild<QLabel*>("DFFInfo")->text(), w.statusPanel()->text());
    QCOMPARE(select(3), failure(3, varmelo::ReadTextureTable));
    QCOMPARE(w.findChild<QLabel*>("TXDInfo")->text(), w.statusPanel()->text());
    QVERIFY(prompts.asked.isEmpty());
}

QTEST_MAIN(AppWindowTest)
#include "app_window_test.moc"
