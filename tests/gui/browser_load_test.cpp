// Loading archives into the browser: the ways in, the missing directory question, failing
// readers, the status texts and the command states a load leaves.
#include <QtTest>

#include "core/archive/archive_file_type.h"
#include "core/archive/archive_kind.h"
#include "gui/support/browser_rig.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/numbered_name.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace varmelo::gui::testing;
using testing_support::ImgBuilder;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

ImgBuilder threeEntries() {
    return ImgBuilder().add("a.txd", std::string(10, 'a')).add("b.dff", std::string(3000, 'b')).add("c.col", "c");
}

ImgBuilder entries(int n) {
    ImgBuilder b;
    for (int i = 0; i < n; ++i) b.add(testing_support::numbered("e", size_t(i), ".txd"), std::string(1, char('a' + i % 26)));
    return b;
}

QStringList loadStatuses(const QStringList& all) {
    QStringList out;
    for (const QString& s : all)
        if (s.startsWith(QStringLiteral("Загрузка"))) out << s;
    return out;
}

}  // namespace

class BrowserLoadTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsEveryEntryWithItsTexts();
    void progressTexts_data();
    void progressTexts();
    void loadResetsCommandsByKind();
    void choosingTheDirFileOpensThePair();
    void missingDirAnsweredYesThenPicked();
    void abandonedLoadKeepsPreviousArchive_data();
    void abandonedLoadKeepsPreviousArchive();
    void failingReaderListsExactlyTheEntriesRead();
    void missingFileKeepsPreviousArchive();
    void aZipWhoseLocalHeadersStopEarlySaysSo();
    void sortStateAfterLoad_data();
    void sortStateAfterLoad();
    void openDialogOffersEveryArchiveKind();
    void loadEmptiesOnlyTheFindText();
};

void BrowserLoadTest::loadShowsEveryEntryWithItsTexts() {
    TempDir tmp;
    const std::string path = tmp.file("x.img");
    threeEntries().writeV2(path);
    BrowserRig rig;
    rig.load(path);

    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.column(0), QStringList({"0", "1", "2"}));
    QCOMPARE(rig.column(1), QStringList({"a.txd", "b.dff", "c.col"}));
    // The directory of three records ends at byte 104: data from sector 1 on.
    QCOMPARE(rig.column(2), QStringList({"00000800", "00001000", "00002000"}));
    QCOMPARE(rig.column(3), QStringList({"2 КБ", "4 КБ", "2 КБ"}));
    QCOMPARE(rig.header(0), QStringLiteral("№"));
    QCOMPARE(rig.header(1), QStringLiteral("Имя"));
    QCOMPARE(rig.header(2), QStringLiteral("Адрес"));
    QCOMPARE(rig.header(3), QStringLiteral("Размер"));
    QCOMPARE(rig.recentFiles, std::vector<std::string>{path});
    QCOMPARE(rig.defaultPages, 1);
    QVERIFY(rig.selectedRows().empty());
    QCOMPARE(rig.browser->archive().ArchiveKind, TArchiveKind::akImgV2);
    QCOMPARE(rig.browser->archive().DirPath, path);
}

void BrowserLoadTest::progressTexts_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");
    const QString start = QStringLiteral("Загрузка..."), done = QStringLiteral("Загрузка завершена");
    auto p = [](int v) { return QStringLiteral("Загрузка: %1%").arg(v); };
    QTest::newRow("empty") << 0 << QStringList{start, done};
    QTest::newRow("one entry shows 0") << 1 << QStringList{start, p(0), done};
    QTest::newRow("two") << 2 << QStringList{start, p(0), p(100), done};
    // Halves round to even: 12.5 -> 12, 37.5 -> 38, 62.5 -> 62, 87.5 -> 88.
    QTest::newRow("nine") << 9
                          << QStringList{start, p(0), p(12), p(25), p(38), p(50), p(62), p(75), p(88), p(100), done};
    // More rows than percentages: each whole number once.
    QStringList many{start};
    for (int i = 0; i <= 100; ++i) many << p(i);
    many << done;
    QTest::newRow("250") << 250 << many;
}

void BrowserLoadTest::progressTexts() {
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    TempDir tmp;
    entries(count).writeV1(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    QCOMPARE(rig.rows(), count);
    QCOMPARE(loadStatuses(rig.statuses), expected);
}

void BrowserLoadTest::loadResetsCommandsByKind() {
    TempDir tmp;
    threeEntries().writeV1(tmp.file("x.img"));
    BrowserRig rig;
    rig.action("SearchFilter1")->setChecked(true);
    rig.action("EditOpen1")->setEnabled(true);
    rig.load(tmp.file("x.img"));
    for (const char* off : {"EditOpen1", "EditExtract1", "EditRename1", "EditRemove1", "EditReplace1",
                            "SearchFindNext1", "SearchFindAll1"})
        QVERIFY2(!rig.enabled(off), off);
    for (const char* on : {"EditAdd1", "ServiceRebuild1", "SearchFind1", "SearchFilter1"}) QVERIFY2(rig.enabled(on), on);
    QVERIFY(!rig.action("SearchFilter1")->isChecked());
    QCOMPARE(rig.list()->contextMenuPolicy(), Qt::PreventContextMenu);
}

void BrowserLoadTest::choosingTheDirFileOpensThePair() {
    TempDir tmp;
    threeEntries().writeV1(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.dir"));
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.browser->archive().ArchivePath, tmp.file("x.img"));
    QCOMPARE(rig.browser->archive().DirPath, tmp.file("x.dir"));
    // The recent list keeps the path as it was chosen.
    QCOMPARE(rig.recentFiles, std::vector<std::string>{tmp.file("x.dir")});
    QCOMPARE(rig.prompts.asked.size(), 0);
}

void BrowserLoadTest::missingDirAnsweredYesThenPicked() {
    TempDir tmp;
    threeEntries().writeV1(tmp.file("x.img"), tmp.file("elsewhere.lst"));
    BrowserRig rig;
    rig.prompts.answers = {Prompts::Answer::Yes};
    rig.prompts.files = {QString::fromStdString(tmp.file("elsewhere.lst"))};
    rig.load(tmp.file("x.img"));

    QCOMPARE(rig.prompts.asked.size(), 2);
    QCOMPARE(rig.prompts.asked[0].kind, QStringLiteral("yesno"));
    QCOMPARE(rig.prompts.asked[0].text,
             QStringLiteral("Файл '%1' не найден. Вы желаете указать его местоположение?")
                 .arg(QString::fromStdString(tmp.file("x.dir"))));
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("Необходимый файл не найден"));
    QCOMPARE(rig.prompts.asked[1].kind, QStringLiteral("open"));
    QCOMPARE(rig.prompts.asked[1].text, QStringLiteral("Файл DIR (*.dir)|*.dir|Все файлы|*.*"));
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.browser->archive().DirPath, tmp.file("elsewhere.lst"));
    QCOMPARE(rig.column(1), QStringList({"a.txd", "b.dff", "c.col"}));
}

void BrowserLoadTest::abandonedLoadKeepsPreviousArchive_data() {
    QTest::addColumn<QList<int>>("answers");  // 1 Yes, 0 No
    QTest::addColumn<QStringList>("picks");   // "" = cancel, "missing" = a file that does not exist
    QTest::addColumn<int>("questions");
    QTest::newRow("no") << QList<int>{0} << QStringList{} << 1;
    QTest::newRow("yes, dialog cancelled") << QList<int>{1} << QStringList{""} << 1;
    QTest::newRow("yes, missing file, then no") << QList<int>{1, 0} << QStringList{"missing"} << 2;
}

void BrowserLoadTest::abandonedLoadKeepsPreviousArchive() {
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, picks);
    QFETCH(int, questions);
    TempDir tmp;
    threeEntries().writeV2(tmp.file("first.img"));
    entries(5).writeV1(tmp.file("second.img"), tmp.file("second.lst"));
    BrowserRig rig;
    rig.load(tmp.file("first.img"));
    rig.select({1});
    const Archive before = rig.browser->archive();
    const QStringList statusesBefore = rig.statuses;
    const int pagesBefore = rig.defaultPages;

    for (int a : answers) rig.prompts.answers.push_back(a ? Prompts::Answer::Yes : Prompts::Answer::No);
    for (const QString& p : picks)
        rig.prompts.files.push_back(p.isEmpty() ? std::nullopt
                                                : std::optional<QString>(QString::fromStdString(tmp.file("nope.dir"))));
    rig.load(tmp.file("second.img"), LoadOrigin::Recent);

    QCOMPARE(rig.prompts.count("yesno"), questions);
    const Archive& now = rig.browser->archive();
    QCOMPARE(now.ArchivePath, before.ArchivePath);
    QCOMPARE(now.DirPath, before.DirPath);
    QCOMPARE(now.ArchiveKind, before.ArchiveKind);
    QCOMPARE(now.Entries, before.Entries);
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.selectedRows(), std::vector<int>{1});
    QVERIFY(rig.enabled("EditExtract1"));
    QCOMPARE(rig.statuses, statusesBefore);
    QCOMPARE(rig.defaultPages, pagesBefore);
    QCOMPARE(rig.recentFiles.back(), tmp.file("second.img"));
    // The recent-file way in still starts a fresh sort.
    QCOMPARE(rig.browser->sortColumn(), -1);
}

void BrowserLoadTest::failingReaderListsExactlyTheEntriesRead() {
    TempDir tmp;
    entries(5).writeV2(tmp.file("before.img"));
    // Three whole records and a torn fourth.
    threeEntries().writeV1(tmp.file("torn.img"));
    {
        auto dir = testing_support::readFile(tmp.file("torn.dir"));
        dir.resize(dir.size() + 10, 0);
        writeFile(tmp.file("torn.dir"), dir);
    }
    BrowserRig rig;
    rig.load(tmp.file("before.img"));
    rig.select({4});
    rig.load(tmp.file("torn.img"));

    QCOMPARE(rig.prompts.errors(), QStringList{"Read beyond end of file"});
    const Archive& a = rig.browser->archive();
    QCOMPARE(a.Entries.size(), size_t(3));
    QCOMPARE(a.RowCount, size_t(3));
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.column(1), QStringList({"a.txd", "b.dff", "c.col"}));
    QVERIFY(rig.selectedRows().empty());
    QVERIFY(!rig.enabled("EditExtract1"));
    QCOMPARE(rig.statuses.last(), QStringLiteral("Загрузка..."));
}

void BrowserLoadTest::aZipWhoseLocalHeadersStopEarlySaysSo() {
    TempDir tmp;
    testing_support::ZipBuilder z;
    for (int i = 0; i < 4; ++i) z.add(testing_support::numbered("f", size_t(i), ".txt"), testing_support::pattern(20, uint32_t(i)));
    z.write(tmp.file("whole.pk4"));
    auto bytes = z.build();
    bytes[z.dataOffset(1) - 36 + 18] += 1;  // f1's local size one too large: the walk loses its way
    writeFile(tmp.file("short.pk4"), bytes);
    BrowserRig rig;
    rig.load(tmp.file("whole.pk4"));
    QCOMPARE(rig.statuses.last(), QStringLiteral("Загрузка завершена"));
    rig.load(tmp.file("short.pk4"));
    QCOMPARE(rig.rows(), 2);
    QCOMPARE(rig.statuses.last(), QStringLiteral("Загрузка завершена. Не удалось прочитать записей: 2 из 4."));
}

void BrowserLoadTest::missingFileKeepsPreviousArchive() {
    TempDir tmp;
    threeEntries().writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.load(tmp.file("gone.img"), LoadOrigin::Drop);
    QCOMPARE(rig.prompts.errors(), QStringList{"File not found"});
    QCOMPARE(rig.browser->archive().ArchivePath, tmp.file("x.img"));
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.recentFiles, (std::vector<std::string>{tmp.file("x.img"), tmp.file("gone.img")}));
}

void BrowserLoadTest::sortStateAfterLoad_data() {
    QTest::addColumn<int>("origin");
    QTest::addColumn<bool>("resets");
    QTest::newRow("command line") << int(LoadOrigin::CommandLine) << false;
    QTest::newRow("drop") << int(LoadOrigin::Drop) << false;
    QTest::newRow("rebuild") << int(LoadOrigin::Rebuild) << false;
    QTest::newRow("open dialog") << int(LoadOrigin::OpenDialog) << true;
    QTest::newRow("recent") << int(LoadOrigin::Recent) << true;
    QTest::newRow("new archive") << int(LoadOrigin::NewArchive) << true;
}

void BrowserLoadTest::sortStateAfterLoad() {
    QFETCH(int, origin);
    QFETCH(bool, resets);
    TempDir tmp;
    threeEntries().writeV2(tmp.file("x.img"));
    BrowserRig rig;
    QCOMPARE(rig.browser->sortColumn(), 0);
    rig.load(tmp.file("x.img"));
    emit rig.list()->columnClicked(3);
    QCOMPARE(rig.header(3), QStringLiteral("Размер •"));
    rig.load(tmp.file("x.img"), LoadOrigin(origin));
    QCOMPARE(rig.browser->sortColumn(), resets ? -1 : 3);
    QCOMPARE(rig.header(3), resets ? QStringLiteral("Размер") : QStringLiteral("Размер •"));
    // Rows come back in directory order either way.
    QCOMPARE(rig.column(0), QStringList({"0", "1", "2"}));
}

void BrowserLoadTest::openDialogOffersEveryArchiveKind() {
    TempDir tmp;
    threeEntries().writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.prompts.files = {QString::fromStdString(tmp.file("x.img"))};
    rig.browser->openArchive();
    QCOMPARE(rig.prompts.asked.size(), 1);
    QCOMPARE(rig.prompts.asked[0].kind, QStringLiteral("open"));
    QCOMPARE(rig.prompts.asked[0].text, QString::fromStdString(varmelo::archiveOpenFilter()));
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.browser->sortColumn(), -1);

    // Cancelling changes nothing.
    rig.browser->openArchive();
    QCOMPARE(rig.rows(), 3);
    QCOMPARE(rig.recentFiles.size(), size_t(1));
}

void BrowserLoadTest::loadEmptiesOnlyTheFindText() {
    TempDir tmp;
    threeEntries().writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.findDialog(1)->setText(QStringLiteral("txd"));
    rig.findDialog(2)->setText(QStringLiteral("dff"));
    rig.load(tmp.file("x.img"));
    QCOMPARE(rig.findDialog(1)->text(), QString());
    QCOMPARE(rig.findDialog(2)->text(), QStringLiteral("dff"));
}

QTEST_MAIN(BrowserLoadTest)
#include "browser_load_test.moc"
