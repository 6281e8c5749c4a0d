// Extracting entries to a file or a folder, and opening one in another program.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QtTest>

#include "gui/browser/external_opener.h"
#include "gui/support/browser_rig.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace varmelo::gui::testing;
using testing_support::Bytes;
using testing_support::ImgBuilder;
using testing_support::pattern;
using testing_support::readFile;
using testing_support::slice;
using testing_support::TempDir;

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

class BrowserExtractTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { setExternalOpener({}); }
    void oneRowGoesThroughTheSaveDialog_data();
    void oneRowGoesThroughTheSaveDialog();
    void cancellingWritesNothing();
    void sortedListExtractsTheRowsEntry();
    void severalRowsGoToAFolder();
    void anUnsafeNameIsRefusedAndTheRestExtracted();
    void aLinkInTheWayIsRefusedAndFolderEntriesPassedOver();
    void openWritesATemporaryCopyAndHandsItOver();
};

void BrowserExtractTest::oneRowGoesThroughTheSaveDialog_data() {
    QTest::addColumn<std::string>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("plain") << std::string("vehicle.txd") << "Файл TXD|*.TXD|Все файлы|*.*" << "vehicle.txd";
    QTest::newRow("folder in the name") << std::string("textures\\wall.tga") << "Файл TGA|*.TGA|Все файлы|*.*"
                                        << "wall.tga";
    QTest::newRow("no extension") << std::string("readme") << "Файл |*.|Все файлы|*.*" << "readme";
}

void BrowserExtractTest::oneRowGoesThroughTheSaveDialog() {
    QFETCH(std::string, name);
    QFETCH(QString, filter);
    QFETCH(QString, proposed);
    TempDir tmp;
    const Bytes data = pattern(5000, 11);
    ImgBuilder().add("first", "1").add(name, data).writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.select({1});
    rig.prompts.files = {q(tmp.file("out"))};
    rig.browser->extract();

    QCOMPARE(rig.prompts.asked.size(), 1);
    QCOMPARE(rig.prompts.asked[0].kind, QStringLiteral("save"));
    QCOMPARE(rig.prompts.asked[0].text, filter);
    QCOMPARE(rig.prompts.asked[0].caption, proposed);
    QCOMPARE(slice(readFile(tmp.file("out")), 0, 5000), data);
}

void BrowserExtractTest::cancellingWritesNothing() {
    TempDir tmp;
    ImgBuilder().add("a", "1").add("b", "2").writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.select({0});
    rig.browser->extract();  // save dialog cancelled
    rig.select({0, 1});
    rig.browser->extract();  // folder dialog cancelled
    QCOMPARE(rig.prompts.count("save"), 1);
    QCOMPARE(rig.prompts.count("folder"), 1);
    QCOMPARE(QDir(q(tmp.path())).entryList(QDir::Files).size(), 1);
    QVERIFY(rig.prompts.errors().isEmpty());
}

void BrowserExtractTest::sortedListExtractsTheRowsEntry() {
    TempDir tmp;
    const Bytes big = pattern(4096, 1), small = pattern(10, 2);
    ImgBuilder().add("big", big).add("small", small).writeV2(tmp.file("x.img"));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    emit rig.list()->columnClicked(3);  // by size: small first
    rig.select({0});
    rig.prompts.files = {q(tmp.file("out"))};
    rig.browser->extract();
    QCOMPARE(rig.prompts.asked[0].caption, QStringLiteral("small"));
    QCOMPARE(slice(readFile(tmp.file("out")), 0, 10), small);
}

void BrowserExtractTest::severalRowsGoToAFolder() {
    TempDir tmp;
    const Bytes a = pattern(100, 1), b = pattern(3000, 2), c = pattern(7, 3);
    ImgBuilder().add("a.txd", a).add("b.dff", b).add("c.col", c).writeV1(tmp.file("x.img"));
    const std::string folder = tmp.file("out");
    QDir().mkpath(q(folder));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.select({0, 2});
    rig.prompts.files = {q(folder)};
    rig.browser->extract();

    QCOMPARE(rig.prompts.asked[0].kind, QStringLiteral("folder"));
    QCOMPARE(rig.prompts.asked[0].text, QStringLiteral("Укажите папку, в которую вы хотите извлечь выбранные файлы:"));
    QVERIFY(rig.prompts.errors().isEmpty());
    QCOMPARE(QDir(q(folder)).entryList(QDir::Files), QStringList({"a.txd", "c.col"}));
    QCOMPARE(slice(readFile(folder + "/a.txd"), 0, 100), a);
    QCOMPARE(readFile(folder + "/c.col").size(), size_t(2048));
}

void BrowserExtractTest::anUnsafeNameIsRefusedAndTheRestExtracted() {
    TempDir tmp;
    ImgBuilder().add("good1.txd", "1").add("..\\evil.txd", "2").add("good2.txd", "4").writeV2(tmp.file("x.img"));
    const std::string folder = tmp.file("out");
    QDir().mkpath(q(folder));
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.select({0, 1, 2});
    rig.prompts.files = {q(folder)};
    rig.browser->extract();

    QCOMPARE(rig.prompts.errors().size(), 1);
    QCOMPARE(QDir(q(folder)).entryList(QDir::Files), QStringList({"good1.txd", "good2.txd"}));
    QVERIFY(!QFileInfo::exists(q(tmp.file("evil.txd"))));
}

void BrowserExtractTest::aLinkInTheWayIsRefusedAndFolderEntriesPassedOver() {
    TempDir tmp;
    testing_support::ZipBuilder()
        .add("a.txt", pattern(10, 1))
        .add("lnk", pattern(10, 2))
        .add("META-INF/", {})
        .add("z.txt", pattern(10, 4))
        .write(tmp.file("x.pk4"));
    const std::string folder = tmp.file("out");
    QDir().mkpath(q(folder));
    testing_support::writeFile(tmp.file("victim"), "precious");
    QVERIFY(QFile::link(q(tmp.file("victim")), q(folder + "/lnk")));
    BrowserRig rig;
    rig.load(tmp.file("x.pk4"));
    rig.select({0, 1, 2, 3});
    rig.prompts.files = {q(folder)};
    rig.browser->extract();

    // lnk is refused by name; the folder entry writes nothing and says nothing.
    const QStringList errors = rig.prompts.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains("\"lnk\"") && errors[0].contains("symbolic link"), qPrintable(errors[0]));
    QCOMPARE(readFile(tmp.file("victim")), Bytes({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
    QCOMPARE(readFile(folder + "/a.txt"), pattern(10, 1));
    QCOMPARE(readFile(folder + "/z.txt"), pattern(10, 4));
    QVERIFY(!QFileInfo::exists(q(folder + "/META-INF")));
}

void BrowserExtractTest::openWritesATemporaryCopyAndHandsItOver() {
    TempDir tmp;
    const Bytes data = pattern(300, 8);
    ImgBuilder().add("a.dff", "1").add("car.txd", data).writeV2(tmp.file("x.img"));
    // A temporary folder of this test's own, so that parallel runs never share a copy.
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(tmp.path()));
    auto restore = qScopeGuard([&] {
        if (oldRuntime.isEmpty()) qunsetenv("XDG_RUNTIME_DIR"); else qputenv("XDG_RUNTIME_DIR", oldRuntime);
    });
    QStringList opened;
    setExternalOpener([&](const QString& p) { opened << p; });
    BrowserRig rig;
    rig.load(tmp.file("x.img"));
    rig.select({1});
    rig.browser->openExternal();
    rig.browser->openExternal();

    QVERIFY(rig.prompts.errors().isEmpty());
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0], opened[1]);  // the same entry always gets the same copy
    QCOMPARE(QFileInfo(opened[0]).fileName(), QStringLiteral("img00001000.txd"));
    QCOMPARE(QFileInfo(opened[0]).absolutePath(), q(tmp.file("varmelo")));
    QCOMPARE(slice(readFile(opened[0].toStdString()), 0, 300), data);
}

QTEST_MAIN(BrowserExtractTest)
#include "browser_extract_test.moc"
