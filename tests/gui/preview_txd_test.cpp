// The texture dictionary page: its list, the thumbnails from the loader, switching between
// dictionaries while thumbnails are still being made, the display modes and saving.
#include <QLabel>
#include <QListView>
#include <QTabBar>
#include <QAbstractItemModelTester>
#include <QtTest>

#include "core/io/errors.h"
#include "core/settings/messages.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"
#include "gui/preview/texture/fit_image_view.h"
#include "gui/preview/texture/image_loader.h"
#include "gui/preview/texture/qt_image.h"
#include "gui/preview/texture/txd_page.h"
#include "gui/support/scripted_prompts.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

namespace {

// A dictionary of `n` textures, each one solid colour of its own (DXT1, 64 x 64).
Bytes solidDictionary(int n, uint8_t red) {
    TxdBuilder b;
    for (int i = 0; i < n; ++i) {
        const uint16_t c = rgb565(red, uint8_t(i * 8), 0);
        b.add(TxdTexture::d3d9("solid" + std::to_string(i), TexFormat::Dxt1, 64, 64,
                               repeatBlock(dxtColourBlock(c, c, 0u), 256)));
    }
    return b.build();
}

// Many large textures, so their loader is still busy when the next dictionary comes.
Bytes slowDictionary() {
    TxdBuilder b;
    for (int i = 0; i < 20; ++i) {
        const uint16_t c = rgb565(0, 0, uint8_t(i * 12));
        b.add(TxdTexture::d3d9("big" + std::to_string(i), TexFormat::Dxt1, 2048, 2048,
                               repeatBlock(dxtColourBlock(c, uint16_t(c + 1), 0x1B1B1B1Bu), 512 * 512)));
    }
    return b.build();
}

QImage expected(const Bytes& dict, int index, int w, int h, TextureMode mode) {
    EntryReader r{Bytes(dict)};
    TxdTable table = ReadTextureTable(r);
    DecodeResult d = DecodeTexture(r, table.textures.at(size_t(index)), w, h, mode);
    return toQImage(d.image, true);
}

}  // namespace

class PreviewTxdTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;
    std::vector<PreviewPage> shown;

    std::unique_ptr<TxdPage> makePage() {
        auto page = std::make_unique<TxdPage>(messages, prompts, nullptr);
        page->setShowPage([this](PreviewPage p) { shown.push_back(p); });
        page->resize(300, 600);
        page->show();
        return page;
    }
    std::string put(const std::string& name, const Bytes& bytes) {
        writeFile(dir.file(name), bytes);
        return dir.file(name);
    }

private slots:
    void init() {
        prompts = testing::ScriptedPrompts();
        shown.clear();
    }

    void listsTexturesAndThumbnailsArrive() {
        const Bytes dict = demoDictionary();
        // the dictionary sits after other bytes, as in an archive
        Bytes file(4096 + dict.size(), 0xAB);
        std::copy(dict.begin(), dict.end(), file.begin() + 4096);
        const std::string path = put("a.img", file);
        auto page = makePage();
        page->preview(path, 4096, dict.size(), "vehicle.txd");

        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Txd});
        QCOMPARE(page->nameLabel()->text(), QStringLiteral("vehicle.txd"));
        QCOMPARE(page->sizeLabel()->text(), QString("%1 КБ").arg((dict.size() + 1023) / 1024));
        QCOMPARE(page->infoLabel()->text(), QStringLiteral("12 текстур"));
        QCOMPARE(page->model()->rowCount(), 12);
        QCOMPARE(page->currentRow(), 0);
        QVERIFY(page->image()->isVisible());
        QVERIFY(page->tabs()->isEnabled());
        QCOMPARE(QString::fromStdString(page->textures()[3].Name), QStringLiteral("vc_dxt5"));
        QCOMPARE(TextureListModel::sizeText(page->textures()[4]), QStringLiteral("64x64x32"));

        QTRY_COMPARE(page->thumbnailsDelivered(), 12);
        // The rows the delegate draws come from the model's roles, thumbnails included.
        using M = TextureListModel;
        const QModelIndex row1 = page->model()->index(1);
        QCOMPARE(row1.data(M::NameRole).toString(), QStringLiteral("vc_dxt1_cutout"));
        QCOMPARE(row1.data(M::MaskRole).toString(), QStringLiteral("vc_dxt1_cutouta"));
        QCOMPARE(row1.data(M::SizeRole).toString(), QStringLiteral("64x64x16"));
        QVERIFY(row1.data(M::HasAlphaRole).toBool());
        QCOMPARE(row1.data(M::ThumbRole).value<QImage>(), page->thumb(1));
        QCOMPARE(row1.data(M::AlphaThumbRole).value<QImage>(), page->alphaThumb(1));
        for (int t = 0; t < 12; ++t) {
            QCOMPARE(page->thumb(t), expected(dict, t, 48, 48, TextureMode::Colour));
            if (page->textures()[size_t(t)].HasAlpha)
                QCOMPARE(page->alphaThumb(t), expected(dict, t, 48, 48, TextureMode::AlphaMask));
            else
                QVERIFY(page->alphaThumb(t).isNull());
        }
    }

    void switchingDictionariesShowsOnlyTheNewThumbnails() {
        const std::string slow = put("slow.txd", slowDictionary());
        const Bytes fastBytes = solidDictionary(5, 255);
        const std::string fast = put("fast.txd", fastBytes);
        auto page = makePage();
        QAbstractItemModelTester tester(page->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int round = 0; round < 6; ++round) {
            page->preview(slow, 0, readFile(slow).size(), "slow.txd");
            // let the loader get going, so it is stopped in the middle of a texture
            if (round % 2) QTRY_VERIFY(page->thumbnailsDelivered() >= 1);
            else QCoreApplication::processEvents();
            page->preview(fast, 0, fastBytes.size(), "fast.txd");
        }
        QCOMPARE(page->model()->rowCount(), 5);
        QTRY_COMPARE(page->thumbnailsDelivered(), 5);
        QVERIFY(page->loader()->wait(5000));
        QCoreApplication::processEvents();
        QCOMPARE(page->thumbnailsDelivered(), 5);
        for (int t = 0; t < 5; ++t) QCOMPARE(page->thumb(t), expected(fastBytes, t, 48, 48, TextureMode::Colour));
    }

    void tabsChangeTheMode() {
        const Bytes dict = demoDictionary();
        const std::string path = put("d.txd", dict);
        auto page = makePage();
        page->preview(path, 0, dict.size(), "d.txd");
        page->list()->setCurrentIndex(page->model()->index(3));
        QCOMPARE(page->image()->picture(), expected(dict, 3, 64, 64, TextureMode::Checker));
        page->tabs()->setCurrentIndex(1);
        QCOMPARE(page->image()->picture(), expected(dict, 3, 64, 64, TextureMode::Colour));
        page->tabs()->setCurrentIndex(2);
        QCOMPARE(page->image()->picture(), expected(dict, 3, 64, 64, TextureMode::AlphaMask));
        QVERIFY(page->image()->picture() != expected(dict, 3, 64, 64, TextureMode::Colour));
        // another texture comes back under "RGB+A"
        page->list()->setCurrentIndex(page->model()->index(4));
        QCOMPARE(page->tabs()->currentIndex(), 0);
        QCOMPARE(page->image()->picture(), expected(dict, 4, 64, 64, TextureMode::Checker));
    }

    void saveWritesTheBitmap_data() {
        QTest::addColumn<bool>("mask");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("texture, .bmp added") << false << "tex" << "tex.bmp";
        QTest::newRow("mask, other extension kept") << true << "m.png" << "m.png";
    }
    void saveWritesTheBitmap() {
        QFETCH(bool, mask);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        const Bytes dict = demoDictionary();
        const std::string path = put("s.txd", dict);
        auto page = makePage();
        page->preview(path, 0, dict.size(), "s.txd");
        page->list()->setCurrentIndex(page->model()->index(2));
        prompts.files.push_back(QString::fromStdString(dir.path()) + "/" + typed);
        page->saveSelected(mask);

        QCOMPARE(prompts.count("save"), 1);
        QCOMPARE(prompts.asked.back().text, QStringLiteral("Точечный рисунок (*.bmp)|*.bmp"));
        QCOMPARE(prompts.asked.back().caption, mask ? QStringLiteral("vc_dxt3a") : QStringLiteral("vc_dxt3"));
        EntryReader r{Bytes(dict)};
        TxdTable table = ReadTextureTable(r);
        DecodeResult d = DecodeTexture(r, table.textures[2], 64, 64, mask ? TextureMode::AlphaMask : TextureMode::Colour);
        QVERIFY(readFile(dir.file(written.toStdString())) == EncodeBmp(d.image, BmpDepth::Rgb24));
    }

    void undecodableTextureShowsWhy() {
        TxdTexture ps2 = TxdTexture::d3d9("ps2", TexFormat::B8888, 4, 4, Bytes(64, 1));
        ps2.platform = kPlatformPS2;
        const Bytes dict = TxdBuilder().add(TxdTexture::d3d9("short", TexFormat::Dxt1, 64, 64, Bytes(10, 1))).add(ps2).build();
        const std::string path = put("bad.txd", dict);
        auto page = makePage();
        page->preview(path, 0, dict.size(), "bad.txd");
        QVERIFY(page->image()->picture().isNull());
        QCOMPARE(page->image()->status(), QString::fromUtf8(decodeStatusText(DecodeStatus::ShortData)));
        QTRY_COMPARE(page->thumbnailsDelivered(), 2);
        QVERIFY(page->thumb(0).isNull());
        page->list()->setCurrentIndex(page->model()->index(1));
        QCOMPARE(page->image()->status(), QStringLiteral("Unsupported texture platform: PS2"));
        QCOMPARE(page->model()->index(1).data(TextureListModel::ThumbTextRole).toString(), page->image()->status());
        // saving it writes nothing and says why
        prompts.files.push_back(QString::fromStdString(dir.file("x.bmp")));
        page->saveSelected(false);
        QCOMPARE(prompts.errors().size(), 1);
        QVERIFY(!QFile::exists(QString::fromStdString(dir.file("x.bmp"))));
    }

    void emptyAndTruncatedDictionaries() {
        const Bytes empty = TxdBuilder().build();
        auto page = makePage();
        page->preview(put("e.txd", empty), 0, empty.size(), "e.txd");
        QCOMPARE(page->infoLabel()->text(), QStringLiteral("0 текстур"));
        QCOMPARE(page->model()->rowCount(), 0);
        QVERIFY(!page->image()->isVisible());
        QVERIFY(!page->tabs()->isEnabled());
        QCOMPARE(page->list()->contextMenuPolicy(), Qt::NoContextMenu);

        Bytes cut = demoDictionary();
        cut.resize(cut.size() / 2);
        const std::string path = put("cut.txd", cut);
        QVERIFY_THROWS_EXCEPTION(FileError, page->preview(path, 0, cut.size(), "cut.txd"));
        QVERIFY(page->model()->rowCount() > 0);
        QVERIFY(page->model()->rowCount() < 12);
        QCOMPARE(page->infoLabel()->text(), QStringLiteral("12 текстур"));
        QVERIFY(page->image()->isVisible());
    }
};

QTEST_MAIN(PreviewTxdTest)
#include "preview_txd_test.moc"
