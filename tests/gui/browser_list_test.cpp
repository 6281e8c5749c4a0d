// The entry list: its set-up, sorting by column clicks, the command states and context menu
// that follow the selection, the preview dispatch, and the model's consistency.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMenu>
#include <QtTest>

#include "core/archive/archive_kind.h"
#include "core/io/codepage.h"
#include "gui/support/browser_rig.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace varmelo::gui::testing;
using testing_support::ImgBuilder;
using testing_support::TempDir;

namespace {

void clickRow(BrowserRig& rig, int row, Qt::KeyboardModifiers mods = {}) {
    EntryListView* v = rig.list();
    const QRect r = v->visualRect(v->model()->index(row, 1));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, mods, r.center());
}

// "VXBG", the directory length, records of name + zero + u32 size, then the data.
void writeSyb(const std::string& path, const std::vector<std::pair<std::string, testing_support::Bytes>>& items) {
    testing_support::Bytes dir, out{'V', 'X', 'B', 'G'};
    auto le32 = [](testing_support::Bytes& b, uint32_t v) {
        for (int k = 0; k < 4; ++k) b.push_back(uint8_t(v >> (8 * k)));
    };
    for (const auto& [name, data] : items) {
        dir.insert(dir.end(), name.begin(), name.end());
        dir.push_back(0);
        le32(dir, uint32_t(data.size()));
    }
    le32(out, uint32_t(dir.size()));
    out.insert(out.end(), dir.begin(), dir.end());
    for (const auto& item : items) out.insert(out.end(), item.second.begin(), item.second.end());
    testing_support::writeFile(path, out);
}

void clickHeader(BrowserRig& rig, int column) {
    QHeaderView* h = rig.list()->horizontalHeader();
    const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class BrowserListTest : public QObject {
    Q_OBJECT
private slots:
    void sortOrders_data();
    void sortOrders();
    void sortMarkFollowsTheSortedColumn();
    void sortingAnEmptyArchiveDoesNothing();
    void commandStatesFollowSelection_data();
    void commandStatesFollowSelection();
    void contextMenuHoldsTheEntryCommands();
    void previewFollowsTheFirstSelectedRow();
    void everyClickRunsTheListClickOnce();
    void homeAndEndSelectTheFirstAndLastRow();
    void readOnlyKindOffersOnlyExtractAndOpen();
    void modelStaysConsistent();
    void hundredThousandEntries();
};

void BrowserListTest::sortOrders_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("sizes");    // in sectors
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("order");   // column 0 afterwards
    const QList<int> one3{1, 1, 1}, one4{1, 1, 1, 1};
    QTest::newRow("three equal sizes") << QStringList{"a", "b", "c"} << one3 << QList<int>{3}
                                       << QStringList{"1", "2", "0"};
    QTest::newRow("four equal sizes") << QStringList{"a", "b", "c", "d"} << one4 << QList<int>{3}
                                      << QStringList{"2", "3", "1", "0"};
    // Byte order: "B" (66) before "a" (97), Latin before Cyrillic.
    QTest::newRow("names by byte value") << QStringList{"a", "Я", "B", "z"} << QList<int>{1, 1, 1, 1}
                                         << QList<int>{1} << QStringList{"2", "0", "3", "1"};
    QTest::newRow("size ascending") << QStringList{"a", "b", "c"} << QList<int>{3, 1, 2} << QList<int>{3}
                                    << QStringList{"1", "2", "0"};
    QTest::newRow("second click reverses") << QStringList{"a", "b", "c"} << QList<int>{3, 1, 2}
                                           << QList<int>{3, 3} << QStringList{"0", "2", "1"};
    QTest::newRow("third click reverses back") << QStringList{"a", "b", "c"} << QList<int>{3, 1, 2}
                                               << QList<int>{3, 3, 3} << QStringList{"1", "2", "0"};
    // The remembered column starts as "№": the first click there reverses.
    QTest::newRow("first click on number reverses") << QStringList{"a", "b", "c"} << one3 << QList<int>{0}
                                                    << QStringList{"2", "1", "0"};
}

void BrowserListTest::sortOrders() {
    QFETCH(QStringList, names);
    QFETCH(QList<int>, sizes);
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, order);
    TempDir tmp;
    ImgBuilder b;
    for (int i = 0; i < names.size(); ++i) {
        b.add(*varmelo::utf8ToCp1251(names[i].toStdString()), std::string(1, 'x'));
        b.sizeField(uint32_t(sizes[i]));
    }
    b.writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.window.resize(600, 400);
    rig.window.show();
    rig.load(tmp.file("x.img"));
    for (int c : clicks) clickHeader(rig, c);
    QCOMPARE(rig.column(0), order);
}

void BrowserListTest::sortMarkFollowsTheSortedColumn() {
    TempDir tmp;
    ImgBuilder().add("b", "1").add("a", "2").writeV1(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    emit rig.list()->columnClicked(0);  // reverses: no mark
    QCOMPARE(rig.header(0), QStringLiteral("№"));
    emit rig.list()->columnClicked(2);
    QCOMPARE(rig.header(0), QStringLiteral("№"));
    QCOMPARE(rig.header(2), QStringLiteral("Адрес •"));
    emit rig.list()->columnClicked(2);  // reversal keeps the mark
    QCOMPARE(rig.header(2), QStringLiteral("Адрес •"));
    emit rig.list()->columnClicked(1);
    QCOMPARE(rig.header(2), QStringLiteral("Адрес"));
    QCOMPARE(rig.header(1), QStringLiteral("Имя •"));
    QCOMPARE(rig.browser->sortColumn(), 1);
    QCOMPARE(rig.column(1), QStringList({"a", "b"}));
    // A new caption text reaches the header after a language switch.
    rig.messages.set(MsgColName, "Name");
    rig.browser->retranslate();
    QCOMPARE(rig.header(1), QStringLiteral("Name •"));
}

void BrowserListTest::sortingAnEmptyArchiveDoesNothing() {
    TempDir tmp;
    ImgBuilder().writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"), LoadOrigin::OpenDialog);
    emit rig.list()->columnClicked(1);
    QCOMPARE(rig.browser->sortColumn(), -1);
    QCOMPARE(rig.header(1), QStringLiteral("Имя"));
}

void BrowserListTest::commandStatesFollowSelection_data() {
    QTest::addColumn<bool>("v2");
    QTest::newRow("two-file") << false;
    QTest::newRow("VER2") << true;
}

void BrowserListTest::commandStatesFollowSelection() {
    QFETCH(bool, v2);
    TempDir tmp;
    ImgBuilder b;
    b.add("a.txd", "1").add("b.dff", "2");
    v2 ? b.writeV2(tmp.file("x.img")) : b.writeV1(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    const char* const entryCommands[] = {"EditOpen1", "EditExtract1", "EditRename1", "EditRemove1", "EditReplace1"};
    for (const char* c : entryCommands) QVERIFY2(!rig.enabled(c), c);

    rig.select({1});
    for (const char* c : entryCommands) QVERIFY2(rig.enabled(c), c);
    QCOMPARE(rig.list()->contextMenuPolicy(), Qt::CustomContextMenu);

    rig.list()->clearSelection();
    for (const char* c : entryCommands) QVERIFY2(!rig.enabled(c), c);
    QCOMPARE(rig.list()->contextMenuPolicy(), Qt::PreventContextMenu);
    QVERIFY(!rig.list()->popupAttached());
}

void BrowserListTest::contextMenuHoldsTheEntryCommands() {
    TempDir tmp;
    ImgBuilder().add("a.txd", "1").writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.select({0});
    QMenu* menu = rig.list()->popupMenu();
    QCOMPARE(menu->objectName(), QStringLiteral("PopupMenu1"));
    QStringList names;
    for (QAction* a : menu->actions()) names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(names, QStringList({"EditExtract1", "EditReplace1", "EditRemove1", "-", "EditOpen1", "EditRename1"}));
    // The very command objects of the window, so their states show in the menu.
    QCOMPARE(menu->actions().first(), rig.action("EditExtract1"));

    rig.window.show();
    auto rightClick = [&rig] {
        QWidget* vp = rig.list()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 5), vp->mapToGlobal(QPoint(20, 5)));
        QApplication::sendEvent(vp, &event);
    };
    rightClick();
    QVERIFY(menu->isVisible());
    menu->hide();
    rig.list()->clearSelection();
    rightClick();
    QVERIFY(!menu->isVisible());
}

void BrowserListTest::previewFollowsTheFirstSelectedRow() {
    TempDir tmp;
    ImgBuilder().add("c", "1").add("a", "2").add("b", "3").writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    emit rig.list()->columnClicked(1);  // rows: a(1), b(2), c(0)
    rig.select({0});
    QCOMPARE(rig.previews, std::vector<uint32_t>{1});
    // Adding a row to the selection previews the first selected row again.
    rig.list()->selectionModel()->select(rig.list()->model()->index(2, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(rig.previews, (std::vector<uint32_t>{1, 1}));
    // Deselecting previews nothing.
    rig.list()->selectionModel()->select(rig.list()->model()->index(0, 0),
                                         QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    QCOMPARE(rig.previews.size(), size_t(2));
    QVERIFY(rig.enabled("EditExtract1"));

    // With the panel hidden the states still follow, the preview does not run.
    rig.previewShown = false;
    rig.select({1});
    QCOMPARE(rig.previews.size(), size_t(2));
    QVERIFY(rig.enabled("EditRename1"));
}

void BrowserListTest::everyClickRunsTheListClickOnce() {
    TempDir tmp;
    ImgBuilder().add("a", "1").add("b", "2").add("c", "3").writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.window.resize(600, 400);
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    rig.load(tmp.file("x.img"));
    clickRow(rig, 1);
    QCOMPARE(rig.previews, std::vector<uint32_t>{1});
    QTest::qWait(1);
    clickRow(rig, 1);  // nothing changes in the selection; the preview runs again
    QCOMPARE(rig.previews, (std::vector<uint32_t>{1, 1}));
    clickRow(rig, 2, Qt::ControlModifier);
    QCOMPARE(rig.previews, (std::vector<uint32_t>{1, 1, 1}));
    QCOMPARE(rig.selectedRows(), (std::vector<int>{1, 2}));
}

void BrowserListTest::homeAndEndSelectTheFirstAndLastRow() {
    TempDir tmp;
    ImgBuilder().add("a", "1").add("b", "2").add("c", "3").writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    for (const auto& [key, mods, row] : std::vector<std::tuple<Qt::Key, Qt::KeyboardModifiers, int>>{
             {Qt::Key_Home, {}, 0}, {Qt::Key_End, {}, 2}, {Qt::Key_Home, Qt::ControlModifier, 0}, {Qt::Key_End, Qt::ControlModifier, 2}}) {
        rig.list()->setCurrentIndex(rig.list()->model()->index(1, 1));
        QTest::keyClick(rig.list(), key, mods);
        QCOMPARE(rig.selectedRows(), std::vector<int>{row});
        QCOMPARE(rig.previews.back(), uint32_t(row));
    }
}

void BrowserListTest::readOnlyKindOffersOnlyExtractAndOpen() {
    TempDir tmp;
    const auto second = testing_support::pattern(1536, 4);
    writeSyb(tmp.file("x.syb"), {{"a.txd", testing_support::Bytes(100, 7)}, {"b.tga", second}});
    BrowserRig rig;
    rig.load(tmp.file("x.syb"));
    QCOMPARE(rig.browser->archive().ArchiveKind, TArchiveKind::akSyb);
    // Byte units: data from byte 8 + 20 on, sizes through the size texts.
    QCOMPARE(rig.column(2), QStringList({"0000001C", "00000080"}));
    QCOMPARE(rig.column(3), QStringList({"100 байт", "1.50 КБ"}));
    QVERIFY(!rig.enabled("EditAdd1"));
    QVERIFY(!rig.enabled("ServiceRebuild1"));
    QVERIFY(rig.enabled("SearchFind1"));
    rig.select({1});
    QVERIFY(rig.enabled("EditExtract1"));
    QVERIFY(rig.enabled("EditOpen1"));
    for (const char* c : {"EditRename1", "EditRemove1", "EditReplace1"}) QVERIFY2(!rig.enabled(c), c);

    rig.prompts.files = {QString::fromStdString(tmp.file("out.tga"))};
    rig.browser->extract();
    QCOMPARE(testing_support::readFile(tmp.file("out.tga")), second);
    // Editing slots called anyway ask nothing and change nothing.
    rig.browser->remove();
    rig.browser->add();
    QCOMPARE(rig.prompts.asked.size(), 1);
    QCOMPARE(rig.rows(), 2);
}

void BrowserListTest::modelStaysConsistent() {
    TempDir tmp;
    ImgBuilder().add("a.txd", "1").add("b.dff", "2").add("c.txd", "3").add("d.col", "4").writeV2(tmp.file("x.img"));
    testing_support::writeFile(tmp.file("new.txd"), std::string(100, 'n'));
    BrowserRig rig;
    QAbstractItemModelTester tester(rig.list()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    rig.load(tmp.file("x.img"));
    emit rig.list()->columnClicked(1);
    emit rig.list()->columnClicked(1);
    rig.findDialog(2)->setText(QStringLiteral("txd"));
    rig.triggerFilter();
    QCOMPARE(rig.rows(), 2);
    rig.prompts.fileLists = {{QString::fromStdString(tmp.file("new.txd"))}};
    rig.browser->add();
    QCOMPARE(rig.rows(), 3);
    rig.select({0, 2});
    rig.prompts.answers = {Prompts::Answer::Yes};
    rig.browser->remove();
    QCOMPARE(rig.rows(), 1);
    QCOMPARE(rig.column(1), QStringList{"c.txd"});
    rig.triggerFilter();
    QCOMPARE(rig.column(1), QStringList({"b.dff", "c.txd", "d.col"}));
}

void BrowserListTest::hundredThousandEntries() {
    TempDir tmp;
    ImgBuilder b;
    for (int i = 0; i < 100000; ++i) b.add("entry" + std::to_string(i) + ".dff", std::vector<uint8_t>{});
    b.writeV1(tmp.file("big.img"));
    BrowserRig rig;
    rig.window.resize(600, 400);
    rig.window.show();
    rig.load(tmp.file("big.img"));
    QCOMPARE(rig.rows(), 100000);
    QCOMPARE(rig.cell(99999, 1), QStringLiteral("entry99999.dff"));
    QCOMPARE(rig.cell(99999, 0), QStringLiteral("99999"));
    // One progress text per whole percentage, not one per row.
    QCOMPARE(rig.statuses.size(), 1 + 101 + 1);
    emit rig.list()->columnClicked(1);
    QCOMPARE(rig.cell(0, 1), QStringLiteral("entry0.dff"));
    QCOMPARE(rig.cell(1, 1), QStringLiteral("entry1.dff"));
    QCOMPARE(rig.cell(2, 1), QStringLiteral("entry10.dff"));
}

QTEST_MAIN(BrowserListTest)
#include "browser_list_test.moc"
