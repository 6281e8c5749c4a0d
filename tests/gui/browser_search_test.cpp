// Find next, find all and the filter, driven through the browser's commands and its two
// find dialogs.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/io/codepage.h"
#include "gui/support/browser_rig.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/numbered_name.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace varmelo::gui::testing;
using testing_support::ImgBuilder;
using testing_support::TempDir;

namespace {

const QString kNotFound = QStringLiteral("Данная строка не найдена.");

std::string cp1251(const char* utf8) { return *utf8ToCp1251(utf8); }

// vehicle.txd, TXDNAME.DFF, car.dff, b.txd, Bus.dff, about.ipl, Текст.txd
void writeArchive(const std::string& path) {
    ImgBuilder()
        .add("vehicle.txd", "1")
        .add("TXDNAME.DFF", "2")
        .add("car.dff", "3")
        .add("b.txd", "4")
        .add("Bus.dff", "5")
        .add("about.ipl", "6")
        .add(cp1251("Текст.txd"), "7")
        .writeV2(path);
}

void setFind(BrowserRig& rig, int dialog, const QString& text, bool wholeWord = false, bool matchCase = false) {
    FindDialog* d = rig.findDialog(dialog);
    d->setText(text);
    d->setOptions({wholeWord, matchCase});
}

QStringList messagesShown(const BrowserRig& rig) {
    QStringList out;
    for (const auto& a : rig.prompts.asked)
        if (a.kind == "message") out << a.text;
    return out;
}

}  // namespace

class BrowserSearchTest : public QObject {
    Q_OBJECT
private:
    TempDir tmp;
    std::string path;

private slots:
    void initTestCase() {
        path = tmp.file("x.img");
        writeArchive(path);
    }
    void findCommandEnablesFindNextAndShowsTheDialog();
    void findNextWalksDownAndStops();
    void findNextKeepsOtherSelectedRows();
    void findNextOnEmptyListOrLastRow();
    void findNextScrollsTheFoundRowToTheTop();
    void findAll_data();
    void findAll();
    void findAllWithoutMatchClearsSelection();
    void invalidMask();
    void filterOnAndOff();
    void filterDialogButtonAppliesAndCloses();
    void filterWithEmptyText_data();
    void filterWithEmptyText();
    void findDialogAcceptsOnlyWindows1251();
};

void BrowserSearchTest::findCommandEnablesFindNextAndShowsTheDialog() {
    BrowserRig rig;
    rig.load(path);
    QVERIFY(!rig.enabled("SearchFindNext1"));
    rig.browser->find();
    QVERIFY(rig.enabled("SearchFindNext1"));
    QVERIFY(rig.enabled("SearchFindAll1"));
    QVERIFY(rig.findDialog(1)->isVisible());
}

void BrowserSearchTest::findNextWalksDownAndStops() {
    BrowserRig rig;
    rig.load(path);
    setFind(rig, 1, "txd");
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), std::vector<int>{0});
    // Contains TXD in another case.
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), std::vector<int>{1});
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), std::vector<int>{3});
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), std::vector<int>{6});
    QCOMPARE(rig.previews, (std::vector<uint32_t>{0, 1, 3, 6}));
    QVERIFY(messagesShown(rig).isEmpty());
    // No wrap to the top; the selection stays.
    rig.browser->findNext();
    QCOMPARE(messagesShown(rig), QStringList{kNotFound});
    QCOMPARE(rig.selectedRows(), std::vector<int>{6});

    // The dialog's find button runs the same search.
    rig.select({0});
    rig.findDialog(1)->findButton()->click();
    QCOMPARE(rig.selectedRows(), std::vector<int>{1});
}

void BrowserSearchTest::findNextKeepsOtherSelectedRows() {
    BrowserRig rig;
    rig.load(path);
    setFind(rig, 1, "*.dff", true);
    rig.select({0, 5});
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), (std::vector<int>{1, 5}));
}

void BrowserSearchTest::findNextOnEmptyListOrLastRow() {
    BrowserRig rig;
    setFind(rig, 1, "");
    rig.browser->findNext();  // nothing loaded
    rig.load(path);
    setFind(rig, 1, "t");
    rig.select({6});
    rig.browser->findNext();
    QCOMPARE(messagesShown(rig), QStringList({kNotFound, kNotFound}));
    QCOMPARE(rig.selectedRows(), std::vector<int>{6});
}

void BrowserSearchTest::findNextScrollsTheFoundRowToTheTop() {
    TempDir local;
    ImgBuilder b;
    for (int i = 0; i < 200; ++i) b.add(i == 120 ? "target.col" : testing_support::numbered("e", size_t(i), ".txd"), "x");
    b.writeV1(local.file("long.img"));
    BrowserRig rig;
    rig.window.resize(600, 400);
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    rig.load(local.file("long.img"));
    setFind(rig, 1, ".col");
    rig.browser->findNext();
    QCOMPARE(rig.selectedRows(), std::vector<int>{120});
    QCOMPARE(rig.topRow(), 120);
    QCOMPARE(rig.list()->currentIndex().row(), 120);
}

void BrowserSearchTest::findAll_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("contains txd") << "txd" << false << false << QList<int>{0, 1, 3, 6};
    QTest::newRow("whole *.dff") << "*.dff" << true << false << QList<int>{1, 2, 4};
    // Without match case the name is upper-cased (Cyrillic too) and the mask used as typed.
    QTest::newRow("cyrillic upper case") << "ТЕКСТ*" << true << false << QList<int>{6};
}

void BrowserSearchTest::findAll() {
    QFETCH(QString, text);
    QFETCH(bool, wholeWord);
    QFETCH(bool, matchCase);
    QFETCH(QList<int>, rows);
    BrowserRig rig;
    rig.load(path);
    rig.select({5});
    setFind(rig, 1, text, wholeWord, matchCase);
    rig.browser->findAll();
    const std::vector<int> selected = rig.selectedRows();
    QCOMPARE(QList<int>(selected.begin(), selected.end()), rows);
    QCOMPARE(rig.list()->currentIndex().row(), rows.first());
    QCOMPARE(rig.previews.back(), uint32_t(rows.first()));
    QVERIFY(rig.enabled("EditExtract1"));
    QVERIFY(messagesShown(rig).isEmpty());
}

void BrowserSearchTest::findAllWithoutMatchClearsSelection() {
    BrowserRig rig;
    rig.messages.set(MsgNotFoundAll, "Nothing at all");
    rig.load(path);
    rig.select({2, 3});
    setFind(rig, 1, "zzz");
    rig.browser->findAll();
    QVERIFY(rig.selectedRows().empty());
    QVERIFY(!rig.enabled("EditExtract1"));
    QCOMPARE(messagesShown(rig), QStringList{"Nothing at all"});
}

void BrowserSearchTest::invalidMask() {
    BrowserRig rig;
    rig.load(path);
    rig.select({2, 3});
    setFind(rig, 1, "[b");
    rig.browser->findNext();
    QCOMPARE(rig.prompts.errors().size(), 1);
    QVERIFY2(rig.prompts.errors()[0].startsWith("'*[b*' is an invalid mask at ("), qPrintable(rig.prompts.errors()[0]));
    QCOMPARE(rig.selectedRows(), (std::vector<int>{2, 3}));  // find next leaves the list alone

    rig.browser->findAll();  // find all has cleared the selection when the error comes
    QCOMPARE(rig.prompts.errors().size(), 2);
    QVERIFY(rig.selectedRows().empty());

    setFind(rig, 2, "[b");  // the filter has emptied the list when the error comes
    rig.triggerFilter();
    QCOMPARE(rig.prompts.errors().size(), 3);
    QCOMPARE(rig.rows(), 0);
    QCOMPARE(rig.browser->archive().Entries.size(), size_t(7));
    rig.triggerFilter();  // off again: everything back
    QCOMPARE(rig.rows(), 7);
}

void BrowserSearchTest::filterOnAndOff() {
    BrowserRig rig;
    rig.load(path);
    emit rig.list()->columnClicked(1);  // sorted by name
    setFind(rig, 2, "dff");
    rig.statuses.clear();
    rig.triggerFilter();
    QVERIFY(rig.findDialog(2)->isVisible());
    QVERIFY(rig.action("SearchFilter1")->isChecked());
    // Matching entries in table order, whatever the sort was.
    QCOMPARE(rig.column(0), QStringList({"1", "2", "4"}));
    QCOMPARE(rig.statuses, QStringList({"Подождите...", "Отсеивание завершено"}));

    // Search runs over the shown rows only.
    setFind(rig, 1, "car");
    rig.browser->findAll();
    QCOMPARE(rig.selectedRows(), std::vector<int>{1});

    rig.statuses.clear();
    rig.triggerFilter();
    QVERIFY(!rig.action("SearchFilter1")->isChecked());
    QCOMPARE(rig.column(0), QStringList({"0", "1", "2", "3", "4", "5", "6"}));
    QVERIFY(rig.selectedRows().empty());
    QCOMPARE(rig.statuses, QStringList({"Отсеивание завершено", "Подождите...", "Отсеивание завершено"}));

    // Loading turns it off.
    rig.triggerFilter();
    QCOMPARE(rig.rows(), 3);
    rig.load(path);
    QVERIFY(!rig.action("SearchFilter1")->isChecked());
    QCOMPARE(rig.rows(), 7);
}

void BrowserSearchTest::filterDialogButtonAppliesAndCloses() {
    BrowserRig rig;
    rig.load(path);
    rig.window.show();
    FindDialog* d = rig.findDialog(2);
    d->present();
    setFind(rig, 2, "*.txd", true);
    rig.statuses.clear();
    d->findButton()->click();
    QCOMPARE(rig.column(1).size(), 3);
    QCOMPARE(rig.column(0), QStringList({"0", "3", "6"}));
    QVERIFY(rig.action("SearchFilter1")->isChecked());
    QVERIFY(!d->isVisible());
    QCOMPARE(rig.statuses, QStringList({"Подождите...", "Отсеивание завершено"}));
    // The dialog keeps its text and options for the next use.
    QCOMPARE(d->text(), QStringLiteral("*.txd"));
    QVERIFY(d->options().wholeWord);
}

void BrowserSearchTest::filterWithEmptyText_data() {
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("rows");
    QTest::newRow("contains nothing: all") << false << 8;
    QTest::newRow("whole empty: only the empty name") << true << 1;
}

void BrowserSearchTest::filterWithEmptyText() {
    QFETCH(bool, wholeWord);
    QFETCH(int, rows);
    TempDir local;
    ImgBuilder b;
    for (int i = 0; i < 7; ++i) b.add(testing_support::numbered("n", size_t(i)), "x");
    b.add("", "y");
    b.writeV2(local.file("e.img"));
    BrowserRig rig;
    rig.load(local.file("e.img"));
    setFind(rig, 2, "", wholeWord);
    rig.triggerFilter();
    QCOMPARE(rig.rows(), rows);
}

void BrowserSearchTest::findDialogAcceptsOnlyWindows1251() {
    BrowserRig rig;
    auto* edit = rig.findDialog(1)->findChild<QLineEdit*>("FindText");
    QVERIFY(edit);
    typeText(edit, QStringLiteral("Ж日x"));
    QCOMPARE(edit->text(), QStringLiteral("Жx"));
    QCOMPARE(rig.findDialog(1)->maskText(), cp1251("Жx"));
}

QTEST_MAIN(BrowserSearchTest)
#include "browser_search_test.moc"
