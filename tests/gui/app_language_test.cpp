// Language files on the real window: the shipped English and Russian files, where files are
// found, column captions and dialog filters by name, flags, and files that cannot be used.
#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "core/settings/language_files.h"
#include "gui/app/about_box.h"
#include "gui/app/command_actions.h"
#include "gui/app/core_app_settings.h"
#include "gui/app/customize_dialog.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_set.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/entry_list_view.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"
#include "gui/support/visible_texts.h"

using namespace varmelo::gui;
using varmelo::gui::testing::cyrillicTexts;
using varmelo::gui::testing::MemorySettings;
using varmelo::gui::testing::ScriptedPrompts;
using varmelo::gui::testing::VisibleTexts;
using varmelo::gui::testing::visibleTexts;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The real settings core, over a private settings folder and the given language folders.
CoreAppSettings::Places places(const QTemporaryDir& root, std::vector<std::string> languageFolders, int userLanguage) {
    CoreAppSettings::Places p;
    p.settings.folder = root.filePath("settings").toStdString();
    p.settings.portable = true;
    p.languageFolders = std::move(languageFolders);
    p.associations.dataHome = root.filePath("data").toStdString();
    p.associations.configHome = root.filePath("config").toStdString();
    p.associations.executable = "/opt/varmelo/varmelo";
    p.userLanguageId = userLanguage;
    return p;
}

// What a person can read on the window, its dialogs and the message table.
VisibleTexts everything(MainWindow& w) {
    VisibleTexts texts = visibleTexts(&w);
    const std::unique_ptr<CustomizeDialog> customize = w.makeCustomizeDialog();
    for (const auto& [path, text] : visibleTexts(customize.get())) texts["customize:" + path] = text;
    for (int n = 0; n < varmelo::kMessageCount; ++n)
        texts[QStringLiteral("message %1").arg(n)] = QString::fromStdString(w.messages().get(n));
    return texts;
}

int indexOf(const MainWindow& w, const QString& fileName) {
    const auto& list = w.languageList();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].fileName == fileName) return int(i);
    return -1;
}

LanguageInfo lang(const char* file, const char* name, int id) {
    LanguageInfo l;
    l.fileName = file;
    l.displayName = name;
    l.langId = id;
    return l;
}

}  // namespace

class AppLanguageTest : public QObject {
    Q_OBJECT
private slots:
    void russianFileHoldsTheBuiltInTexts();
    void englishLeavesNoRussianAndRussianRestoresEveryText();
    void searchFoldersInOrderFirstFileWins();
    void textsInTheFilesCodePage_data();
    void textsInTheFilesCodePage();
    void columnCaptionsByNumber();
    void dialogFiltersByName();
    void flagGreenIsTransparent();
    void unusableFileChangesNothing_data();
    void unusableFileChangesNothing();
};

void AppLanguageTest::russianFileHoldsTheBuiltInTexts() {
    QTemporaryDir root;
    ScriptedPrompts prompts;
    CoreAppSettings none(places(root, {}, 25));
    MainWindow builtIn(none, prompts, {});
    QCOMPARE(builtIn.startLanguage(), -1);

    QTemporaryDir root2;
    CoreAppSettings shipped(places(root2, {VARMELO_LANG_DIR}, 25));
    MainWindow russian(shipped, prompts, {});
    QCOMPARE(russian.languageList()[size_t(russian.startLanguage())].fileName, QString("Russian.lng"));

    // Everything but the language menu itself, which lists the files only when there are some.
    const VisibleTexts before = everything(builtIn), after = everything(russian);
    int compared = 0;
    for (const auto& [path, text] : before) {
        if (path.contains("LanguageMenu1")) continue;
        QVERIFY2(after.count(path), qPrintable(path));
        QCOMPARE(after.at(path), text);
        ++compared;
    }
    QVERIFY(compared > 100);
}

void AppLanguageTest::englishLeavesNoRussianAndRussianRestoresEveryText() {
    QTemporaryDir root;
    ScriptedPrompts prompts;
    CoreAppSettings settings(places(root, {VARMELO_LANG_DIR}, 25));
    MainWindow w(settings, prompts, {});
    const VisibleTexts russian = everything(w);
    QVERIFY(!cyrillicTexts(russian).isEmpty());

    w.applyLanguage(indexOf(w, "English.lng"));
    const VisibleTexts english = everything(w);
    const QStringList left = cyrillicTexts(english);
    QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
    QCOMPARE(english.size(), russian.size());
    QCOMPARE(w.commands()["FileOpen1"]->text(), QString("Open..."));
    QCOMPARE(w.commands()["FileOpen1"]->statusTip(), QString("Open an existing file"));
    QCOMPARE(w.menus().menu("Service1")->title(), QString("Tools"));
    QCOMPARE(w.aboutBox()->windowTitle(), QString("About"));
    QCOMPARE(w.findChild<QWidget*>("frm2")->windowTitle(), QString("Rename"));
    QCOMPARE(w.findChild<QTabBar*>("Tabs1")->tabText(2), QString("Alpha"));
    QCOMPARE(w.messages().get(varmelo::MsgLoaded), std::string("Loading complete"));
    QCOMPARE(QString::fromStdString(settings.language()), QString("English.lng"));

    w.applyLanguage(indexOf(w, "Russian.lng"));
    const VisibleTexts back = everything(w);
    for (const auto& [path, text] : russian) {
        QVERIFY2(back.count(path), qPrintable(path));
        QCOMPARE(back.at(path), text);
    }
    QCOMPARE(back.size(), russian.size());
}

void AppLanguageTest::searchFoldersInOrderFirstFileWins() {
    QTemporaryDir root;
    const QString own = root.filePath("own"), user = root.filePath("user"), system = root.filePath("system");
    for (const QString& d : {own, user, system}) QDir().mkpath(d);
    writeFile(own + "/Deutsch.lng", "[main]\nLanguage=Deutsch (own)\nLangID=7\n[frm1]\nFile1=Datei\n");
    writeFile(user + "/Deutsch.lng", "[main]\nLanguage=Deutsch (user)\nLangID=7\n[frm1]\nFile1=Falsch\n");
    writeFile(user + "/English.lng", "[main]\nLanguage=English\nLangID=9\n[frm1]\nFile1=File\n");
    writeFile(system + "/Espanol.lng", "[main]\nLanguage=Espanol\nLangID=10\n[frm1]\nFile1=Archivo\n");
    ScriptedPrompts prompts;
    CoreAppSettings settings(
        places(root, {own.toStdString(), user.toStdString(), system.toStdString()}, 0x0C0A));  // es-ES
    MainWindow w(settings, prompts, {});

    QStringList shown;
    for (QAction* a : w.menus().menu("LanguageMenu1")->actions()) shown << a->text();
    QCOMPARE(shown, (QStringList{"Deutsch (own)", "English", "Espanol"}));
    QCOMPARE(w.menus().menu("File1")->title(), QString("Archivo"));  // the system's language
    w.applyLanguage(0);
    QCOMPARE(w.menus().menu("File1")->title(), QString("Datei"));
    QCOMPARE(QString::fromStdString(settings.language()), QString("Deutsch.lng"));

    // The stored name is found in whichever folder holds it at the next start.
    MainWindow again(settings, prompts, {});
    QCOMPARE(again.languageList().back().displayName, QString("Selected"));
    QCOMPARE(again.menus().menu("File1")->title(), QString("Datei"));
}

void AppLanguageTest::textsInTheFilesCodePage_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("title");
    // "Файл" in Windows-1251, "Fichier é" in Windows-1252, "Файл é" after a UTF-8 mark.
    QTest::newRow("Windows-1251") << QByteArray("[main]\nLanguage=X\nCharSet=204\n[frm1]\nFile1=\xD4\xE0\xE9\xEB\n")
                                  << QString("Файл");
    QTest::newRow("Windows-1252") << QByteArray("[main]\nLanguage=X\nCharSet=0\n[frm1]\nFile1=Fichier \xE9\n")
                                  << QString("Fichier é");
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF[main]\nLanguage=X\nCharSet=0\n[frm1]\nFile1=Файл é\n")
                                << QString("Файл é");
}

void AppLanguageTest::textsInTheFilesCodePage() {
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    QTemporaryDir folder;
    writeFile(folder.filePath("x.lng"), file);
    QTemporaryDir root;
    ScriptedPrompts prompts;
    CoreAppSettings settings(places(root, {folder.path().toStdString()}, 9));
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.menus().menu("File1")->title(), title);
}

void AppLanguageTest::columnCaptionsByNumber() {
    QTemporaryDir folder;
    writeFile(folder.filePath("x.lng"), "[main]\nLanguage=X\n[frm1]\nList1_1=Entry\n[strings]\nSTR023=Name\n");
    MemorySettings settings;
    settings.languageFolder = folder.path().toStdString();
    settings.languageList = {lang("x.lng", "X", 9)};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QAbstractItemModel* model = w.findChild<EntryListView*>("List1")->model();
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("№"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Entry"));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString("Адрес"));

    // Opening an archive by hand sets the captions back to the message table's.
    prompts.files = {QString(folder.filePath("missing.img"))};
    w.browser().openArchive();
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Name"));
}

void AppLanguageTest::dialogFiltersByName() {
    QTemporaryDir folder;
    writeFile(folder.filePath("x.lng"), "[main]\nLanguage=X\n[frm1]\nOpenDialog1=Archives|*.img;*.dir\n"
                                        "SaveDialog4=VC (*.img)|*.img|SA (*.img)|*.img\n");
    MemorySettings settings;
    settings.languageFolder = folder.path().toStdString();
    settings.languageList = {lang("x.lng", "X", 9)};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    prompts.files = {std::nullopt, std::nullopt};
    w.commands()["FileOpen1"]->trigger();
    w.commands()["FileNew1"]->trigger();
    QCOMPARE(prompts.asked.size(), 2);
    QCOMPARE(prompts.asked[0].kind, QString("open"));
    QCOMPARE(prompts.asked[0].text, QString("Archives|*.img;*.dir"));
    QCOMPARE(prompts.asked[1].kind, QString("save"));
    QCOMPARE(prompts.asked[1].text, QString("VC (*.img)|*.img|SA (*.img)|*.img"));
}

void AppLanguageTest::flagGreenIsTransparent() {
    QTemporaryDir folder;
    QImage flag(4, 2, QImage::Format_RGB32);
    flag.fill(QColor(0, 255, 0));
    flag.setPixel(0, 0, qRgb(200, 0, 0));
    flag.setPixel(1, 0, qRgb(0, 254, 0));  // nearly green stays
    QVERIFY(flag.save(folder.filePath("x.bmp"), "BMP"));
    MemorySettings settings;
    settings.languageList = {lang("x.lng", "X", 9), lang("y.lng", "Y", 25)};
    settings.languageList[0].flagPath = folder.filePath("x.bmp");
    settings.languageList[1].flagPath = folder.filePath("missing.bmp");
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    const QList<QAction*> items = w.menus().menu("LanguageMenu1")->actions();
    const QImage icon = items[0]->icon().pixmap(QSize(4, 2)).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(icon.size(), QSize(4, 2));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 255);
    QCOMPARE(qAlpha(icon.pixel(1, 0)), 255);
    QCOMPARE(qAlpha(icon.pixel(2, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(3, 1)), 0);
    QVERIFY(items[1]->icon().isNull());  // a missing bitmap is skipped
}

void AppLanguageTest::unusableFileChangesNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("too large to be a language file") << "huge";
    QTest::newRow("a folder") << "folder";
}

void AppLanguageTest::unusableFileChangesNothing() {
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString path = folder.filePath("x.lng");
    if (kind == "huge") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[main]\nLanguage=X\n");
        QVERIFY(f.resize(qint64(varmelo::IniDocument::kMaxBytes) + 1));
    } else if (kind == "folder") {
        QDir().mkpath(path);
    }
    MemorySettings settings;
    settings.languageFolder = folder.path().toStdString();
    settings.languageList = {lang("x.lng", "X", 9)};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    const VisibleTexts before = everything(w);
    w.applyLanguage(0);
    QCOMPARE(everything(w), before);
    QCOMPARE(w.commands()["FileOpen1"]->statusTip(), QString("Открыть существующий файл"));
    QCOMPARE(settings.writes.count("Language"), size_t(0));
    QVERIFY(prompts.asked.isEmpty());
}

QTEST_MAIN(AppLanguageTest)
#include "app_language_test.moc"
