// The editing commands of the browser (add, replace, delete, rename), rebuild and new
// archives: what they ask, the directory they leave on disk and the rows that follow it.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "core/io/codepage.h"
#include "gui/browser/rename_dialog.h"
#include "gui/support/browser_rig.h"
#include "gui/support/img_on_disk.h"
#include "support/img_builder.h"
#include "support/read_only.h"
#include "support/temp_dir.h"
#include "support/numbered_name.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace varmelo::gui::testing;
using testing_support::Bytes;
using testing_support::ImgBuilder;
using testing_support::pattern;
using testing_support::readFile;
using testing_support::slice;
using testing_support::TempDir;
using testing_support::writeFile;
using Names = std::vector<std::string>;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// Answers the rename dialog once it is up.
void answerRename(BrowserRig& rig, const QString& text, bool ok) {
    QTimer::singleShot(0, &rig.window, [&rig, text, ok] {
        auto* dlg = rig.window.findChild<RenameDialog*>("frm2");
        QVERIFY(dlg && dlg->isVisible());
        dlg->edit()->setText(text);
        dlg->findChild<QPushButton*>(ok ? "btnOK" : "btnCancel")->click();
    });
}

}  // namespace

class BrowserEditTest : public QObject {
    Q_OBJECT
private slots:
    void addAppendsTheFileAndSelectsItsRow();
    void addAsksAboutAnExistingName_data();
    void addAsksAboutAnExistingName();
    void addToAFilteredList();
    void failedAddKeepsTheListInStep();
    void replaceInPlace();
    void replaceThatDoesNotFitMovesToTheEnd();
    void deleteRemovesTheSelectedRowsEntries();
    void deleteNeedsYes();
    void renameWritesTheRecord_data();
    void renameWritesTheRecord();
    void renameDialogTyping();
    void rebuildReloadsAndKeepsTheSortState();
    void rebuildSaysWhichEntriesItCut();
    void newArchive_data();
    void newArchive();
    void readOnlyArchiveIsBrowsableButNotEditable();
};

void BrowserEditTest::addAppendsTheFileAndSelectsItsRow() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("a.txd", pattern(100, 1)).add("b.dff", pattern(2048, 2)).writeV2(img);
    writeFile(tmp.file("new.bin"), pattern(2049, 7));

    BrowserRig rig;
    rig.load(img);
    rig.select({0});
    const int pages = rig.defaultPages;
    rig.prompts.fileLists = {{q(tmp.file("new.bin"))}};
    rig.browser->add();

    QCOMPARE(rig.prompts.asked.first().text, QStringLiteral("Все файлы|*.*"));
    QVERIFY(rig.prompts.errors().isEmpty());
    QCOMPARE(namesOf(readVer2Directory(img)), (Names{"a.txd", "b.dff", "new.bin"}));
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.cell(2, 1), QStringLiteral("new.bin"));
    QCOMPARE(rig.selectedRows(), std::vector<int>{2});
    QCOMPARE(rig.previews.back(), uint32_t(2));
    QCOMPARE(rig.defaultPages, pages + 1);
}

void BrowserEditTest::addAsksAboutAnExistingName_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<Names>("names");
    QTest::addColumn<std::vector<int>>("selected");
    QTest::newRow("yes replaces") << int(Prompts::Answer::Yes) << Names{"car.dff", "VEHICLE.TXD", "z.col"}
                                  << std::vector<int>{1, 2};
    QTest::newRow("no adds another") << int(Prompts::Answer::No)
                                     << Names{"vehicle.txd", "car.dff", "VEHICLE.TXD", "z.col"}
                                     << std::vector<int>{2, 3};
    QTest::newRow("cancel stops") << int(Prompts::Answer::Cancel) << Names{"vehicle.txd", "car.dff"}
                                  << std::vector<int>{};
}

void BrowserEditTest::addAsksAboutAnExistingName() {
    QFETCH(int, answer);
    QFETCH(Names, names);
    QFETCH(std::vector<int>, selected);
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("vehicle.txd", "old").add("car.dff", "car").writeV2(img);
    writeFile(tmp.file("VEHICLE.TXD"), std::string("new"));
    writeFile(tmp.file("z.col"), std::string("z"));
    BrowserRig rig;
    rig.load(img);
    rig.prompts.fileLists = {{q(tmp.file("VEHICLE.TXD")), q(tmp.file("z.col"))}};
    rig.prompts.answers = {Prompts::Answer(answer)};
    rig.browser->add();

    QCOMPARE(rig.prompts.count("yesnocancel"), 1);
    const auto& asked = rig.prompts.asked[1];
    QCOMPARE(asked.text, QStringLiteral("Файл \"vehicle.txd\" уже есть в архиве. Заменить?"));
    QCOMPARE(asked.caption, QStringLiteral("Файл уже существует"));
    QCOMPARE(namesOf(readVer2Directory(img)), names);
    QStringList shown;
    for (const auto& n : names) shown << q(n);
    QCOMPARE(rig.column(1), shown);
    QCOMPARE(rig.selectedRows(), selected);
}

void BrowserEditTest::addToAFilteredList() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("a.txd", "1").add("b.dff", "2").add("c.txd", "3").writeV1(img);
    writeFile(tmp.file("z.dff"), std::string("z"));
    BrowserRig rig;
    rig.load(img);
    rig.findDialog(2)->setText("txd");
    rig.triggerFilter();
    QCOMPARE(rig.rows(), 2);
    rig.prompts.fileLists = {{q(tmp.file("z.dff"))}};
    rig.browser->add();
    QCOMPARE(rig.column(1), QStringList({"a.txd", "c.txd", "z.dff"}));
    QCOMPARE(rig.column(0), QStringList({"0", "2", "3"}));
    QCOMPARE(rig.selectedRows(), std::vector<int>{2});
}

void BrowserEditTest::failedAddKeepsTheListInStep() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("a.txd", "1").writeV2(img);
    writeFile(tmp.file("first.dff"), std::string("f"));
    BrowserRig rig;
    rig.load(img);
    rig.prompts.fileLists = {{q(tmp.file("first.dff")), q(tmp.file("missing.dff")), q(tmp.file("first.dff"))}};
    rig.browser->add();

    QCOMPARE(rig.prompts.errors(), QStringList{"File not found"});
    // What was added before the failure stays, and the list shows exactly that.
    QCOMPARE(namesOf(readVer2Directory(img)), (Names{"a.txd", "first.dff"}));
    QCOMPARE(rig.column(1), QStringList({"a.txd", "first.dff"}));
    QCOMPARE(rig.browser->archive().RowCount, size_t(2));
}

void BrowserEditTest::replaceInPlace() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    const Bytes old = pattern(6144, 3);
    ImgBuilder().add("a.txd", "1").add("big.dff", old).add("c.col", "3").writeV2(img);
    writeFile(tmp.file("repl.dff"), pattern(5000, 9));
    BrowserRig rig;
    rig.load(img);
    emit rig.list()->columnClicked(1);  // rows: a.txd, big.dff, c.col
    rig.select({1});
    rig.prompts.fileLists = {{q(tmp.file("repl.dff")), q(tmp.file("ignored"))}};
    const auto before = readVer2Directory(img);
    rig.browser->replace();

    QVERIFY(rig.prompts.errors().isEmpty());
    const auto dir = readVer2Directory(img);
    QCOMPARE(dir[1], (DiskRecord{before[1].offset, 3, "repl.dff"}));
    QCOMPARE(rig.cell(1, 1), QStringLiteral("repl.dff"));
    QCOMPARE(rig.selectedRows(), std::vector<int>{1});
    QCOMPARE(rig.previews.back(), uint32_t(1));
}

void BrowserEditTest::replaceThatDoesNotFitMovesToTheEnd() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("small.txd", "1").add("b.dff", "2").add("c.col", "3").writeV1(img);
    writeFile(tmp.file("r.txd"), pattern(3000, 4));
    BrowserRig rig;
    rig.load(img);
    rig.select({0});
    rig.prompts.fileLists = {{q(tmp.file("r.txd"))}};
    rig.browser->replace();

    QCOMPARE(namesOf(readDirFile(tmp.file("x.dir"))), (Names{"b.dff", "c.col", "r.txd"}));
    QCOMPARE(rig.column(1), QStringList({"b.dff", "c.col", "r.txd"}));
    QCOMPARE(rig.selectedRows(), std::vector<int>{2});
    QCOMPARE(rig.previews.back(), uint32_t(2));
}

void BrowserEditTest::deleteRemovesTheSelectedRowsEntries() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder b;
    for (int i = 0; i < 5; ++i) b.add(testing_support::numbered("e", size_t(i)), pattern(10, uint32_t(i)));
    b.writeV2(img);
    const auto before = readVer2Directory(img);
    BrowserRig rig;
    rig.load(img);
    emit rig.list()->columnClicked(0);  // reversed: rows show e4 e3 e2 e1 e0
    rig.select({1, 3});                 // e3 and e1
    const int pages = rig.defaultPages;
    rig.prompts.answers = {Prompts::Answer::Yes};
    rig.browser->remove();

    QCOMPARE(rig.prompts.asked[0].text, QStringLiteral("Вы действительно хотите удалить эти файлы?"));
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("Подтверждение удаления"));
    QCOMPARE(readVer2Directory(img), (std::vector<DiskRecord>{before[0], before[2], before[4]}));
    QCOMPARE(rig.column(1), QStringList({"e4", "e2", "e0"}));
    QCOMPARE(rig.column(0), QStringList({"2", "1", "0"}));
    QVERIFY(rig.selectedRows().empty());
    QVERIFY(!rig.enabled("EditRemove1"));
    QCOMPARE(rig.defaultPages, pages + 1);
}

void BrowserEditTest::deleteNeedsYes() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("a", "1").add("b", "2").writeV2(img);
    const Bytes before = readFile(img);
    BrowserRig rig;
    rig.load(img);
    rig.select({0});
    rig.prompts.answers = {Prompts::Answer::No};
    rig.browser->remove();
    QCOMPARE(readFile(img), before);
    QCOMPARE(rig.rows(), 2);
    QCOMPARE(rig.selectedRows(), std::vector<int>{0});
}

void BrowserEditTest::renameWritesTheRecord_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<std::string>("stored");
    QTest::newRow("plain") << "renamed.txd" << true << std::string("renamed.txd");
    QTest::newRow("cyrillic in Windows-1251") << "Машина.dff" << true << *utf8ToCp1251("Машина.dff");
    QTest::newRow("cancel") << "other" << false << std::string("b.dff");
}

void BrowserEditTest::renameWritesTheRecord() {
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(std::string, stored);
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("a.txd", "1").add("b.dff", "2").add("c.col", "3").writeV2(img);
    BrowserRig rig;
    rig.load(img);
    rig.select({1});
    answerRename(rig, typed, ok);
    rig.browser->rename();

    const auto dir = readVer2Directory(img);
    QCOMPARE(dir[1].name, stored);
    QCOMPARE(dir[0].name, std::string("a.txd"));
    QCOMPARE(dir[2].name, std::string("c.col"));
    QCOMPARE(rig.cell(1, 1), ok ? typed : QStringLiteral("b.dff"));
}

void BrowserEditTest::renameDialogTyping() {
    BrowserRig rig;
    auto* dlg = rig.window.findChild<RenameDialog*>("frm2");
    QVERIFY(dlg);
    // Typing stops at 24 characters and refuses what Windows-1251 cannot hold.
    typeText(dlg->edit(), QStringLiteral("日本a") + QString(30, QChar('b')));
    QCOMPARE(dlg->edit()->text(), QStringLiteral("a") + QString(23, QChar('b')));
}

void BrowserEditTest::rebuildSaysWhichEntriesItCut() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("a.txd", pattern(100, 1)).add("long.dff", pattern(100, 2)).sizeField(16387).writeV2(img);
    BrowserRig rig;
    rig.load(img);
    rig.browser->rebuild();

    QVERIFY(rig.prompts.errors().isEmpty());
    QCOMPARE(rig.prompts.count("message"), 1);
    QCOMPARE(rig.prompts.asked.last().text,
             QStringLiteral("#1 'long.dff': cut from 16387 to 1 sectors, the file ends inside it"));
    QCOMPARE(readVer2Directory(img), (std::vector<DiskRecord>{{2, 1, "a.txd"}, {3, 1, "long.dff"}}));
}

void BrowserEditTest::rebuildReloadsAndKeepsTheSortState() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    ImgBuilder().add("c.col", "1").at(9).add("a.txd", "2").at(1).add("b.dff", "3").at(5).writeV2(img);
    BrowserRig rig;
    rig.load(img);
    emit rig.list()->columnClicked(1);
    rig.statuses.clear();
    rig.browser->rebuild();

    QVERIFY(rig.prompts.errors().isEmpty());
    const QStringList expectedStart{"Перепаковка: 0%", "Перепаковка: 50%", "Перепаковка: 100%", "Загрузка..."};
    QCOMPARE(rig.statuses.mid(0, 4), expectedStart);
    QCOMPARE(rig.statuses.last(), QStringLiteral("Загрузка завершена"));
    // Table order, no gaps, data from sector 2 on.
    QCOMPARE(readVer2Directory(img), (std::vector<DiskRecord>{{2, 1, "c.col"}, {3, 1, "a.txd"}, {4, 1, "b.dff"}}));
    // Reloaded in table order, the sort mark kept.
    QCOMPARE(rig.column(1), QStringList({"c.col", "a.txd", "b.dff"}));
    QCOMPARE(rig.browser->sortColumn(), 1);
    QCOMPARE(rig.header(1), QStringLiteral("Имя •"));
    QCOMPARE(rig.recentFiles.back(), img);
}

void BrowserEditTest::newArchive_data() {
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<std::string>("created");
    QTest::newRow("SA, no extension") << 2 << "new" << std::string("new.img");
    QTest::newRow("VC, own extension") << 1 << "new.dat" << std::string("new.dat");
}

void BrowserEditTest::newArchive() {
    QFETCH(int, filterIndex);
    QFETCH(QString, typed);
    QFETCH(std::string, created);
    TempDir tmp;
    ImgBuilder().add("a", "1").writeV2(tmp.file("old.img"));
    BrowserRig rig;
    rig.load(tmp.file("old.img"));
    emit rig.list()->columnClicked(1);
    rig.prompts.files = {q(tmp.file(typed.toStdString()))};
    rig.prompts.saveFilterIndexes = {filterIndex};
    rig.browser->newArchive();

    QCOMPARE(rig.prompts.asked[0].kind, QStringLiteral("save"));
    QCOMPARE(rig.prompts.asked[0].text, QStringLiteral("Архив GTA: VC (*.img)|*.img|Архив GTA: SA (*.img)|*.img"));
    // The new file is loaded back: the kind found on disk tells which form was written.
    QCOMPARE(rig.browser->archive().ArchiveKind, filterIndex == 2 ? TArchiveKind::akImgV2 : TArchiveKind::akImgV1);
    QCOMPARE(rig.browser->archive().ArchivePath, tmp.file(created));
    QCOMPARE(rig.rows(), 0);
    QVERIFY(rig.enabled("EditAdd1"));
    QVERIFY(rig.enabled("ServiceRebuild1"));
    QCOMPARE(rig.browser->sortColumn(), -1);
    QCOMPARE(rig.header(1), QStringLiteral("Имя"));
}

void BrowserEditTest::readOnlyArchiveIsBrowsableButNotEditable() {
    TempDir tmp;
    const std::string img = tmp.file("x.img");
    const Bytes data = pattern(3000, 5);
    ImgBuilder().add("a.txd", data).add("b.dff", "2").writeV2(img);
    writeFile(tmp.file("new.bin"), std::string("new"));
    const Bytes before = readFile(img);
    testing_support::ReadOnlyFile readOnly(img);
    if (!readOnly.effective()) QSKIP("this file system lets us write a read-only file");

    BrowserRig rig;
    rig.load(img);
    QVERIFY(rig.prompts.errors().isEmpty());
    QCOMPARE(rig.rows(), 2);
    rig.findDialog(1)->setText("dff");
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), std::vector<int>{1});
    rig.select({0});
    rig.prompts.files = {q(tmp.file("out.txd"))};
    rig.browser->extract();
    QCOMPARE(slice(readFile(tmp.file("out.txd")), 0, 3000), data);

    rig.prompts.fileLists = {{q(tmp.file("new.bin"))}, {q(tmp.file("new.bin"))}};
    rig.browser->add();
    rig.select({0});
    rig.browser->replace();
    rig.select({0});
    rig.prompts.answers = {Prompts::Answer::Yes};
    rig.browser->remove();
    rig.select({0});
    answerRename(rig, "other", true);
    rig.browser->rename();
    rig.browser->rebuild();

    QCOMPARE(rig.prompts.errors(), QStringList(5, QStringLiteral("File access denied")));
    QCOMPARE(readFile(img), before);
    QCOMPARE(rig.rows(), 2);
    QCOMPARE(rig.column(1), QStringList({"a.txd", "b.dff"}));
    QCOMPARE(rig.browser->archive().Entries.size(), size_t(2));
}

QTEST_MAIN(BrowserEditTest)
#include "browser_edit_test.moc"
