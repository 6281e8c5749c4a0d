// The window with the real settings store in private folders: options.ini written at the
// moments the user expects, actdata.dat round trips, associations in a private XDG tree.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "core/settings/bar_layout.h"
#include "gui/app/command_actions.h"
#include "gui/app/core_app_settings.h"
#include "gui/app/main_window.h"
#include "gui/browser/archive_browser.h"
#include "gui/support/scripted_prompts.h"

using namespace varmelo::gui;
using varmelo::BarLayout;
using varmelo::defaultBarLayout;
using varmelo::gui::testing::ScriptedPrompts;

namespace {

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
    return QString::fromUtf8(f.readAll());
}

void writeText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// A private settings folder, language folder and XDG tree for one test.
struct Sandbox {
    QTemporaryDir root;
    Sandbox() {
        qputenv("XDG_DATA_HOME", root.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
    }
    QString options() const { return root.filePath("settings/options.ini"); }
    QString actdata() const { return root.filePath("settings/actdata.dat"); }
    CoreAppSettings::Places places() const {
        CoreAppSettings::Places p;
        p.settings.folder = root.filePath("settings").toStdString();
        p.settings.portable = true;
        p.languageFolders = {root.filePath("lang").toStdString()};
        p.associations = varmelo::associationPlaces(varmelo::processEnvironment(), "/opt/varmelo/varmelo");
        p.associations.runTool = {};  // no desktop database tools in tests
        p.userLanguageId = 25;
        return p;
    }
};

}  // namespace

class AppSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunAskedOnceAcrossStarts();
    void menuStyleFollowsEverySwitch();
    void storedFiveStaysFive();
    void recentFilesWrittenInOrder();
    void recentFilesReadAtStart();
    void associationsInPrivateTree();
    void barLayoutRoundTrip();
};

void AppSettingsTest::firstRunAskedOnceAcrossStarts() {
    Sandbox box;
    {
        CoreAppSettings settings(box.places());
        ScriptedPrompts prompts;
        prompts.answers = {Prompts::Answer::No};
        MainWindow w(settings, prompts, {});
        QCOMPARE(prompts.count("yesno"), 1);
    }
    QVERIFY(readText(box.options()).contains("FirstRun=0"));
    QVERIFY(!QFile::exists(box.root.filePath("data/mime/packages")));
    CoreAppSettings again(box.places());
    ScriptedPrompts prompts;
    MainWindow w(again, prompts, {});
    QCOMPARE(prompts.asked.size(), 0);
}

void AppSettingsTest::menuStyleFollowsEverySwitch() {
    Sandbox box;
    writeText(box.options(), "[Main]\nFirstRun=0\n");
    CoreAppSettings settings(box.places());
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QVERIFY(readText(box.options()).contains("MenuStyle=0"));
    w.commands()["ServiceDefault1"]->trigger();
    QVERIFY(readText(box.options()).contains("MenuStyle=-1"));
    w.commands()["ServiceXP1"]->trigger();
    QVERIFY(readText(box.options()).contains("MenuStyle=0"));
    w.commands()["ServiceStandard1"]->trigger();
    QVERIFY(readText(box.options()).contains("MenuStyle=1"));
    // The next start shows the style last chosen.
    CoreAppSettings next(box.places());
    MainWindow w2(next, prompts, {});
    QVERIFY(w2.commands()["ServiceStandard1"]->isChecked());
    QCOMPARE(w2.menuStyle(), 1);
}

void AppSettingsTest::storedFiveStaysFive() {
    Sandbox box;
    writeText(box.options(), "[main]\nFirstRun=0\nMenuStyle=5\n");
    CoreAppSettings settings(box.places());
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.show();
    QVERIFY(w.menuBarStrip()->isVisible());
    QVERIFY(!w.menuBar()->isVisible());
    for (const char* name : {"ServiceDefault1", "ServiceXP1", "ServiceStandard1"})
        QVERIFY(!w.commands()[name]->isChecked());
    const QString text = readText(box.options());
    QVERIFY2(text.contains("MenuStyle=5"), qPrintable(text));
    QCOMPARE(text.count("MenuStyle"), 1);
}

void AppSettingsTest::recentFilesWrittenInOrder() {
    Sandbox box;
    writeText(box.options(), "[Main]\nFirstRun=0\n");
    CoreAppSettings settings(box.places());
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    for (const char* p : {"/a/1.img", "/a/2.img", "/a/3.img", "/a/3.img", "/a/4.img", "/a/5.img", "/a/6.img"})
        w.browser().load(QString::fromUtf8(p), LoadOrigin::Drop);
    const QString text = readText(box.options());
    QVERIFY2(text.contains("00=/a/6.img\n01=/a/5.img\n02=/a/4.img\n03=/a/3.img\n04=/a/2.img"), qPrintable(text));
    QVERIFY(!text.contains("/a/1.img"));
    QCOMPARE(w.commands()["MRUFile1"]->text(), QString("/a/6.img"));
    QCOMPARE(w.commands()["MRUFile5"]->text(), QString("/a/2.img"));
}

void AppSettingsTest::recentFilesReadAtStart() {
    Sandbox box;
    writeText(box.options(), "[Main]\nFirstRun=0\n[MRU]\n00=/x/first.img\n01=/x/second.img\n");
    CoreAppSettings settings(box.places());
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.commands()["MRUFile1"]->text(), QString("/x/first.img"));
    QCOMPARE(w.commands()["MRUFile2"]->text(), QString("/x/second.img"));
    QVERIFY(w.commands()["MRUFile2"]->isVisible());
    QVERIFY(!w.commands()["MRUFile3"]->isVisible());
    w.commands()["MRUFile2"]->trigger();
    QVERIFY(readText(box.options()).contains("00=/x/second.img\n01=/x/first.img\n02=/x/second.img"));
}

void AppSettingsTest::associationsInPrivateTree() {
    Sandbox box;
    writeText(box.options(), "[Main]\nFirstRun=1\n");
    CoreAppSettings settings(box.places());
    varmelo::Associations probe(box.places().associations);
    ScriptedPrompts prompts;
    prompts.answers = {Prompts::Answer::Yes};
    MainWindow w(settings, prompts, {});
    for (int t = 0; t < 6; ++t) QVERIFY2(probe.isAssociated(t), qPrintable(QString::number(t)));
    QVERIFY(w.commands()["ServiceOpenAll1"]->isChecked());
    const QString desktop = readText(QString::fromStdString(probe.desktopFilePath()));
    QVERIFY2(desktop.contains("/opt/varmelo/varmelo"), qPrintable(desktop));
    QVERIFY(readText(QString::fromStdString(probe.mimePackagePath(0))).contains("Псевдоархив"));

    w.commands()["ServiceGTA1"]->trigger();
    QVERIFY(!probe.isAssociated(0));
    QVERIFY(!w.commands()["ServiceOpenAll1"]->isChecked());
    QVERIFY(probe.isAssociated(1));

    // A new window reads the marks back.
    CoreAppSettings next(box.places());
    MainWindow w2(next, prompts, {});
    QVERIFY(!w2.commands()["ServiceGTA1"]->isChecked());
    QVERIFY(w2.commands()["ServiceSyberia1"]->isChecked());
}

void AppSettingsTest::barLayoutRoundTrip() {
    Sandbox box;
    writeText(box.options(), "[Main]\nFirstRun=0\n");
    const BarLayout custom{{"FileOpen1", "-", "HelpAbout1"}, {"Help1", "FileOpen1", "File1", "Service1"}};
    {
        CoreAppSettings settings(box.places());
        ScriptedPrompts prompts;
        MainWindow w(settings, prompts, {});
        QCOMPARE(w.barLayout(), defaultBarLayout());
        QVERIFY(!QFile::exists(box.actdata()));
        w.setBarLayout(custom);
    }
    const QString stored = readText(box.actdata());
    QVERIFY2(stored.contains("toolbar=FileOpen1,-,HelpAbout1"), qPrintable(stored));
    CoreAppSettings settings(box.places());
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.barLayout(), custom);
    QCOMPARE(w.programMenuBar()->actions().size(), 4);
    QCOMPARE(w.programMenuBar()->actions()[1], w.commands()["FileOpen1"]);

    // A damaged file gives the designed bars.
    writeText(box.actdata(), "garbage\n");
    CoreAppSettings damaged(box.places());
    MainWindow w2(damaged, prompts, {});
    QCOMPARE(w2.barLayout(), defaultBarLayout());
}

QTEST_MAIN(AppSettingsTest)
#include "app_settings_test.moc"
