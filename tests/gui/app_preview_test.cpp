// The preview panel's dispatch: which page an entry goes to and what its preview is given.
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "core/archive/archive.h"
#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "gui/preview/preview_panel.h"
#include "support/img_builder.h"

using namespace varmelo;
using namespace varmelo::gui;

namespace {

struct Seen {
    int calls = 0;
    uint64_t offset = 0, size = 0;
    std::string name;
    std::vector<uint8_t> firstBytes;
};

PagePreview recorder(Seen& seen) {
    return [&seen](PreviewRequest& r) {
        ++seen.calls;
        seen.offset = r.offset;
        seen.size = r.size;
        seen.name = r.name;
        r.file.seek(r.offset);
        seen.firstBytes = r.file.readExact(4);
    };
}

}  // namespace

class AppPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void pagesInOrder();
    void dispatchByExtension_data();
    void dispatchByExtension();
    void imgEntriesAreReadFromTheirSectors();
    void byteArchivesUseBytes();
    void missingArchiveFailsAndKeepsThePage();
    void filledPageReplacesThePlaceholder();
};

void AppPreviewTest::pagesInOrder() {
    PreviewPanel panel;
    QCOMPARE(panel.objectName(), QString("Notebook1"));
    QCOMPARE(panel.count(), 7);
    QCOMPARE(panel.currentIndex(), 0);
    QCOMPARE(panel.page(PreviewPage::Tga)->objectName(), QString("TGA"));
    QCOMPARE(panel.selectFileLabel()->text(), QString("Файлы не выбраны или их формат не поддерживается"));
}

void AppPreviewTest::dispatchByExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("page");
    QTest::newRow("txd") << "road.txd" << 1;
    QTest::newRow("TXD upper") << "ROAD.TXD" << 1;
    QTest::newRow("dff") << "car.dff" << 2;
    QTest::newRow("ipl") << "map.ipl" << 3;
    QTest::newRow("col") << "map.col" << 4;
    QTest::newRow("dtx is dds") << "sky.dtx" << 5;
    QTest::newRow("tga") << "logo.tga" << 6;
    QTest::newRow("no dot") << "readme" << 0;
    QTest::newRow("last dot counts") << "data.txd.bak" << 0;
}

void AppPreviewTest::dispatchByExtension() {
    QFETCH(QString, name);
    QFETCH(int, page);
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.img").toStdString();
    testing_support::ImgBuilder().add(name.toStdString(), std::string(3000, 'z')).writeV2(path);
    Archive archive;
    archive.ArchivePath = path;
    archive.ArchiveKind = TArchiveKind::akImgV2;
    archive.Entries = {TEntryRec{1, 2, name.toStdString(), 0}};
    PreviewPanel panel;
    Seen seen[7];
    for (int p = 1; p < 7; ++p) panel.setPagePreview(PreviewPage(p), recorder(seen[p]));
    panel.setCurrentIndex(4);
    panel.preview(archive, 0);
    if (page == 0) {
        QCOMPARE(panel.currentIndex(), 0);
        for (int p = 1; p < 7; ++p) QCOMPARE(seen[p].calls, 0);
    } else {
        QCOMPARE(seen[page].calls, 1);
        QCOMPARE(seen[page].name, name.toStdString());
        // The page is the preview's to choose; the dispatch leaves it alone.
        QCOMPARE(panel.currentIndex(), 4);
    }
}

void AppPreviewTest::imgEntriesAreReadFromTheirSectors() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.img").toStdString();
    testing_support::ImgBuilder().add("x.bin", std::string(10, 'a')).add("road.txd", "RWTX" + std::string(5000, 'b')).writeV2(path);
    Archive archive;
    archive.ArchivePath = path;
    archive.ArchiveKind = TArchiveKind::akImgV2;
    archive.Entries = {TEntryRec{1, 1, "x.bin", 0}, TEntryRec{2, 3, "road.txd", 0}};
    PreviewPanel panel;
    Seen seen;
    panel.setPagePreview(PreviewPage::Txd, recorder(seen));
    panel.preview(archive, 1);
    QCOMPARE(seen.offset, uint64_t(2 * 2048));
    QCOMPARE(seen.size, uint64_t(3 * 2048));
    QCOMPARE(seen.firstBytes, (std::vector<uint8_t>{'R', 'W', 'T', 'X'}));
}

void AppPreviewTest::byteArchivesUseBytes() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.syb");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0123456789DDS 0123");
    f.close();
    Archive archive;
    archive.ArchivePath = path.toStdString();
    archive.ArchiveKind = TArchiveKind::akSyb;
    archive.Entries = {TEntryRec{10, 8, "sky.dds", 0}};
    PreviewPanel panel;
    Seen seen;
    panel.setPagePreview(PreviewPage::Dds, recorder(seen));
    panel.preview(archive, 0);
    QCOMPARE(seen.offset, uint64_t(10));
    QCOMPARE(seen.size, uint64_t(8));
    QCOMPARE(seen.firstBytes, (std::vector<uint8_t>{'D', 'D', 'S', ' '}));
}

void AppPreviewTest::missingArchiveFailsAndKeepsThePage() {
    Archive archive;
    archive.ArchivePath = "/nonexistent/a.img";
    archive.ArchiveKind = TArchiveKind::akImgV2;
    archive.Entries = {TEntryRec{1, 1, "road.txd", 0}};
    PreviewPanel panel;
    Seen seen;
    panel.setPagePreview(PreviewPage::Txd, recorder(seen));
    panel.setCurrentIndex(2);
    QVERIFY_THROWS_EXCEPTION(FileError, panel.preview(archive, 0));
    QCOMPARE(seen.calls, 0);
    QCOMPARE(panel.currentIndex(), 2);
}

void AppPreviewTest::filledPageReplacesThePlaceholder() {
    PreviewPanel panel;
    auto* page = new QLabel("txd page");
    panel.setCurrentIndex(1);
    panel.setPage(PreviewPage::Txd, page);
    QCOMPARE(panel.count(), 7);
    QCOMPARE(panel.widget(1), page);
    QCOMPARE(page->objectName(), QString("TXD"));
    QCOMPARE(panel.currentIndex(), 1);
    QCOMPARE(panel.widget(2)->objectName(), QString("DFF"));
}

QTEST_MAIN(AppPreviewTest)
#include "app_preview_test.moc"
