// What the window does with its settings while it is created: the first-run question, the
// association marks, the language list and the start language.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/app/about_box.h"
#include "gui/app/command_actions.h"
#include "gui/app/main_window.h"
#include "gui/app/menu_set.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"

using namespace varmelo::gui;
using varmelo::gui::testing::MemorySettings;
using varmelo::gui::testing::ScriptedPrompts;

namespace {

// The association commands in tag order: .img, .syb, .big, .pk4, .bin, .pak, ...
QStringList associationCommands() {
    QStringList out;
    for (const varmelo::ArchiveFileType* t : varmelo::archiveFileTypes()) out << commandName(t->command);
    return out;
}
const QStringList kAssoc = associationCommands();
const int kTypes = int(kAssoc.size());

std::vector<bool> only(int tag) {
    std::vector<bool> s(static_cast<size_t>(kTypes));
    s[size_t(tag)] = true;
    return s;
}

// A language folder with a small file for each name given.
struct LangFolder {
    QTemporaryDir dir;
    explicit LangFolder(const QStringList& files, const QByteArray& body = "[main]\nLanguage=x\n") {
        for (const QString& f : files) {
            QFile out(dir.filePath(f));
            out.open(QIODevice::WriteOnly);
            out.write(body);
        }
    }
    std::string path() const { return dir.path().toStdString(); }
};

LanguageInfo lang(const char* file, const char* name, int id, const char* author = "") {
    LanguageInfo l;
    l.fileName = file;
    l.displayName = name;
    l.langId = id;
    l.author = author;
    return l;
}

}  // namespace

class AppStartupTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunYesAssociatesAll();
    void firstRunNoChangesNothing();
    void noQuestionAfterTheFirstRun();
    void associationMarksFollowTheSystem();
    void toggleOneAssociation();
    void toggleAllAssociations();
    void failedAssociationShowsErrorAndTruth();
    void languageMenu_data();
    void languageMenu();
    void startLanguage_data();
    void startLanguage();
    void selectDefaultLanguage();
    void languageReplacesTexts();
    void vanishedLanguageFileChangesNothing();
};

void AppStartupTest::firstRunYesAssociatesAll() {
    MemorySettings settings;
    settings.firstRunValue = 1;
    ScriptedPrompts prompts;
    prompts.answers = {Prompts::Answer::Yes};
    MainWindow w(settings, prompts, {});
    QCOMPARE(prompts.asked.size(), 1);
    QCOMPARE(prompts.asked[0].kind, QString("yesno"));
    QCOMPARE(prompts.asked[0].text, QString("Судя по всему, вы запускаете Varmelo в первый раз. Вы хотите открывать "
                                            "с его помощью все поддерживаемые им файлы?"));
    QCOMPARE(prompts.asked[0].caption, QString("Первый запуск"));
    for (int t = 0; t < kTypes; ++t) {
        QVERIFY(settings.associated[size_t(t)]);
        QVERIFY(w.commands()[kAssoc[t]]->isChecked());
    }
    QVERIFY(w.commands()["ServiceOpenAll1"]->isChecked());
    QCOMPARE(settings.associationDescription, std::string("Псевдоархив"));
    QCOMPARE(settings.firstRunValue, 0);
}

void AppStartupTest::firstRunNoChangesNothing() {
    MemorySettings settings;
    settings.firstRunValue = 1;
    settings.associated[4] = true;  // another program's .bin
    ScriptedPrompts prompts;
    prompts.answers = {Prompts::Answer::No};
    MainWindow w(settings, prompts, {});
    QCOMPARE(prompts.count("yesno"), 1);
    QCOMPARE(settings.associated, only(4));
    QVERIFY(!w.commands()["ServiceOpenAll1"]->isChecked());
    QCOMPARE(settings.firstRunValue, 0);
    QCOMPARE(settings.writes["FirstRun"], 1);
}

void AppStartupTest::noQuestionAfterTheFirstRun() {
    for (int stored : {0, 2, -1}) {
        MemorySettings settings;
        settings.firstRunValue = stored;
        ScriptedPrompts prompts;
        MainWindow w(settings, prompts, {});
        QCOMPARE(prompts.asked.size(), 0);
        QCOMPARE(settings.writes.count("FirstRun"), size_t(0));
    }
}

void AppStartupTest::associationMarksFollowTheSystem() {
    MemorySettings settings;
    settings.associated = {true, false, true, false, false, true};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    for (int t = 0; t < kTypes; ++t) QCOMPARE(w.commands()[kAssoc[t]]->isChecked(), settings.associated[size_t(t)]);
    QVERIFY(!w.commands()["ServiceOpenAll1"]->isChecked());
    MemorySettings all;
    all.associated.assign(all.associated.size(), true);
    MainWindow w2(all, prompts, {});
    QVERIFY(w2.commands()["ServiceOpenAll1"]->isChecked());
}

void AppStartupTest::toggleOneAssociation() {
    MemorySettings settings;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.commands()["ServicePrey1"]->trigger();
    QVERIFY(w.commands()["ServicePrey1"]->isChecked());
    QCOMPARE(settings.associated, only(3));
    w.commands()["ServicePrey1"]->trigger();
    QVERIFY(!settings.associated[3]);
}

void AppStartupTest::toggleAllAssociations() {
    MemorySettings settings;
    settings.associated = {true, false, true, false, false, false};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QAction* all = w.commands()["ServiceOpenAll1"];
    all->trigger();
    QVERIFY(all->isChecked());
    for (int t = 0; t < kTypes; ++t) {
        QVERIFY(settings.associated[size_t(t)]);
        QVERIFY(w.commands()[kAssoc[t]]->isChecked());
    }
    all->trigger();
    QVERIFY(!all->isChecked());
    for (int t = 0; t < kTypes; ++t) QVERIFY(!settings.associated[size_t(t)]);
    // Checking the six one by one checks "all" as well.
    for (const QString& name : kAssoc) w.commands()[name]->trigger();
    QVERIFY(all->isChecked());
}

void AppStartupTest::failedAssociationShowsErrorAndTruth() {
    MemorySettings settings;
    settings.failAssociations = true;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.commands()["ServiceGTA1"]->trigger();
    QCOMPARE(prompts.errors(), QStringList{"File access denied"});
    QVERIFY(!w.commands()["ServiceGTA1"]->isChecked());
}

void AppStartupTest::languageMenu_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("visible");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("one") << 1 << false;
    QTest::newRow("two") << 2 << true;
}

void AppStartupTest::languageMenu() {
    QFETCH(int, count);
    QFETCH(bool, visible);
    MemorySettings settings;
    const LanguageInfo all[] = {lang("english.lng", "English", 9), lang("russian.lng", "Русский", 25)};
    for (int i = 0; i < count; ++i) settings.languageList.push_back(all[i]);
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QMenu* menu = w.menus().menu("LanguageMenu1");
    QCOMPARE(menu->menuAction()->isVisible(), visible);
    const QList<QAction*> items = menu->actions();
    if (count == 0) {
        QCOMPARE(items, QList<QAction*>{w.commands()["LanguageSelect1"]});
        return;
    }
    QCOMPARE(items.size(), count);
    for (int i = 0; i < count; ++i) {
        QCOMPARE(items[i]->text(), all[i].displayName);
        QCOMPARE(items[i]->toolTip(), all[i].displayName);
        QCOMPARE(items[i]->statusTip(), "Select " + all[i].displayName + " language");
        QCOMPARE(items[i]->data().toInt(), i);
    }
    // The native menu shows the same menu.
    QCOMPARE(w.menuBar()->actions()[4], menu->menuAction());
}

void AppStartupTest::startLanguage_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("storedExists");
    QTest::addColumn<int>("system");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("written");
    QTest::newRow("system match") << "" << false << 25 << 1 << "russian.lng";
    QTest::newRow("no match takes the first") << "" << false << 7 << 0 << "english.lng";
    QTest::newRow("stored file wins") << "custom.lng" << true << 25 << 2 << "custom.lng";
    QTest::newRow("stored file missing") << "gone.lng" << false << 9 << 0 << "english.lng";
}

void AppStartupTest::startLanguage() {
    QFETCH(QString, stored);
    QFETCH(bool, storedExists);
    QFETCH(int, system);
    QFETCH(int, expected);
    QFETCH(QString, written);
    MemorySettings settings;
    LangFolder folder({"english.lng", "russian.lng", "custom.lng"});
    settings.languageFolder = folder.path();
    settings.languageList = {lang("english.lng", "English", 9), lang("russian.lng", "Русский", 25)};
    settings.languageValue = stored.toStdString();
    if (storedExists) settings.existingLanguageFiles = {stored.toStdString()};
    settings.systemLanguage = system;
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.startLanguage(), expected);
    QCOMPARE(QString::fromStdString(settings.languageValue), written);
    if (storedExists) {
        QCOMPARE(w.languageList().back().displayName, QString("Selected"));
        // The extra record has no command of its own.
        QCOMPARE(w.menus().menu("LanguageMenu1")->actions().size(), 2);
    }
}

void AppStartupTest::selectDefaultLanguage() {
    MemorySettings none;
    ScriptedPrompts prompts;
    {
        MainWindow w(none, prompts, {});
        w.applyLanguage(-1);
        QCOMPARE(none.writes.count("Language"), size_t(0));
    }
    MemorySettings settings;
    LangFolder folder({"english.lng", "german.lng"});
    settings.languageFolder = folder.path();
    settings.languageList = {lang("english.lng", "English", 9), lang("german.lng", "Deutsch", 7)};
    settings.systemLanguage = 25;
    MainWindow w(settings, prompts, {});
    const int before = settings.writes["Language"];
    w.applyLanguage(-1);  // no file for the system's language: nothing happens
    QCOMPARE(settings.writes["Language"], before);
    settings.systemLanguage = 7;
    w.applyLanguage(-1);
    QCOMPARE(settings.languageValue, std::string("german.lng"));
}

void AppStartupTest::languageReplacesTexts() {
    LangFolder folder({"english.lng"}, "[main]\nLanguage=English\n"
                                       "[frm1]\nCaption=Varmelo EN\nFileOpen1=Open...\nFileOpen1h=Open|Open an archive\n"
                                       "File1=File\nSelectFile1=Nothing selected\nMRUFile1=File 1\n"
                                       "Bar1[0]h=New|Make a new archive\nBar2[2]=Find\nBar2[2][1]h=Next|Find the next\n"
                                       "[frm5]\nEMailCaption1=Mail:\n"
                                       "[strings]\nSTR027=Pseudo-archive\n");
    MemorySettings settings;
    settings.languageFolder = folder.path();
    settings.languageList = {lang("english.lng", "English", 9)};
    settings.recent = {"/a.img", "", "", "", ""};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.startLanguage(), 0);
    QCOMPARE(w.windowTitle(), QString("Varmelo EN"));
    QAction* open = w.commands()["FileOpen1"];
    QCOMPARE(open->text(), QString("Open..."));
    QCOMPARE(open->toolTip(), QString("Open"));
    QCOMPARE(open->statusTip(), QString("Open an archive"));
    // A command the file does not name keeps its caption and loses its hint.
    QCOMPARE(w.commands()["FileNew1"]->text(), QString("Создать..."));
    QCOMPARE(w.commands()["FileExit1"]->statusTip(), QString());
    // Bar items: the toolbar's first item, the third menu and its second item.
    QCOMPARE(w.commands()["FileNew1"]->statusTip(), QString("Make a new archive"));
    QCOMPARE(w.menus().menu("Search1")->title(), QString("Find"));
    QCOMPARE(w.commands()["SearchFindNext1"]->toolTip(), QString("Next"));
    QCOMPARE(w.commands()["SearchFindNext1"]->statusTip(), QString("Find the next"));
    QCOMPARE(w.commands()["MRUFile1"]->text(), QString("/a.img"));
    QCOMPARE(w.menus().menu("File1")->title(), QString("File"));
    QCOMPARE(w.menus().menu("Edit1")->title(), QString("Правка"));
    QCOMPARE(w.findChild<QLabel*>("SelectFile1")->text(), QString("Nothing selected"));
    QCOMPARE(w.aboutBox()->findChild<QLabel*>("EMailCaption1")->text(), QString("Mail:"));
    QCOMPARE(w.messages().get(27), std::string("Pseudo-archive"));
    QCOMPARE(w.messages().get(28), std::string("Первый запуск"));
    QCOMPARE(settings.languageValue, std::string("english.lng"));
}

void AppStartupTest::vanishedLanguageFileChangesNothing() {
    MemorySettings settings;
    settings.languageList = {lang("gone.lng", "Gone", 9)};
    ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    QCOMPARE(w.startLanguage(), 0);
    QCOMPARE(w.commands()["FileOpen1"]->statusTip(), QString("Открыть существующий файл"));
    QCOMPARE(settings.writes.count("Language"), size_t(0));
}

QTEST_MAIN(AppStartupTest)
#include "app_startup_test.moc"
