// The DDS and TGA pages: labels, the picture's place in the view, pan and zoom, the shared
// blending setting, refused files and saving.
#include <QAction>
#include <QLabel>
#include <QtTest>
#include <cmath>

#include "core/browser/format_size.h"
#include "core/io/errors.h"
#include "core/settings/messages.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/dds_loader.h"
#include "core/texture/tga_loader.h"
#include "gui/preview/texture/bitmap_save_dialog.h"
#include "gui/preview/texture/image_page.h"
#include "gui/preview/texture/image_scene.h"
#include "gui/preview/texture/image_view.h"
#include "gui/support/scripted_prompts.h"
#include "support/dds_builder.h"
#include "support/temp_dir.h"
#include "support/tga_builder.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

class PreviewImageTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;
    std::vector<PreviewPage> shown;
    std::unique_ptr<ImageScene> scene;
    std::shared_ptr<BitmapSaveDialog> dialog;
    std::unique_ptr<ImagePage> dds, tga;

    std::string put(const std::string& name, const Bytes& bytes) {
        writeFile(dir.file(name), bytes);
        return dir.file(name);
    }
    Bytes ddsBytes(int w, int h, int variant) {
        return buildDds(DdsFile::argb32(uint32_t(w), uint32_t(h), demoPicture(w, h, variant)));
    }
    Bytes tgaBytes(int w, int h) {
        TgaFile t;
        t.imageType = 10;
        t.width = uint16_t(w);
        t.height = uint16_t(h);
        t.bgra = demoPicture(w, h, 1);
        return buildTga(t);
    }

private slots:
    void init() {
        prompts = testing::ScriptedPrompts();
        shown.clear();
        scene = std::make_unique<ImageScene>();
        dialog = std::make_shared<BitmapSaveDialog>();
        dds = std::make_unique<ImagePage>(varmelo::EntryFormat::Dds, *scene, messages, prompts, dialog);
        tga = std::make_unique<ImagePage>(varmelo::EntryFormat::Tga, *scene, messages, prompts, dialog);
        for (ImagePage* p : {dds.get(), tga.get()}) {
            p->setShowPage([this](PreviewPage pg) { shown.push_back(pg); });
            p->resize(420, 400);
            p->show();
            p->view()->resize(400, 300);
        }
    }
    void cleanup() {
        dds.reset();
        tga.reset();
        scene.reset();
    }

    void showsThePictureCentredAtNinetyPercent() {
        const Bytes b = ddsBytes(256, 128, 0);
        Bytes file(100 + b.size(), 0xEE);
        std::copy(b.begin(), b.end(), file.begin() + 100);
        dds->preview(put("a.img", file), 100, b.size(), "sky.dds");
        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Dds});
        QCOMPARE(dds->nameLabel()->text(), QStringLiteral("sky.dds"));
        QCOMPARE(dds->sizeLabel()->text(), QString::fromStdString(FormatSize(b.size(), messages)));
        QCOMPARE(dds->dimensionLabel()->text(), QStringLiteral("256x128"));
        QCOMPARE(scene->picture().size(), QSize(256, 128));
        const QRectF r = dds->view()->pictureRect();
        QCOMPARE(r, QRectF(200 - 180, 150 - 90, 360, 180));
        // the TGA page shows the same picture
        QCOMPARE(tga->view()->pictureRect(), r);
    }

    void zoomAndPanFollowThePointer() {
        dds->preview(put("a.dds", ddsBytes(64, 64, 1)), 0, ddsBytes(64, 64, 1).size(), "a.dds");
        scene->mouseDown({50, 100});
        scene->mouseMove({50, 70}, true, true);
        QVERIFY(std::abs(scene->zoom() - std::pow(std::sqrt(0.9) + 0.1, 2)) < 1e-9);
        scene->mouseMove({60, 70}, false, false);  // no button: nothing, last position kept
        scene->mouseMove({76, 70}, true, false);
        QVERIFY(std::abs(scene->centreX() + 26 / (260 * scene->zoom())) < 1e-9);
        QCOMPARE(scene->centreY(), 0.0);
        // dragging far down passes through zoom 0 and grows again
        scene->mouseDown({0, 0});
        scene->mouseMove({0, 900}, true, true);
        QVERIFY(scene->zoom() > 1.0);
        // a new preview recentres
        tga->preview(put("b.tga", tgaBytes(32, 16)), 0, tgaBytes(32, 16).size(), "b.tga");
        QCOMPARE(scene->zoom(), 0.9);
        QCOMPARE(scene->centreX(), 0.0);
        QCOMPARE(scene->centreY(), 0.0);
        QCOMPARE(tga->dimensionLabel()->text(), QStringLiteral("32x16"));
        QCOMPARE(shown.back(), PreviewPage::Tga);
    }

    void blendingIsSharedAndKeptAcrossPreviews() {
        QVERIFY(dds->alphaAction()->isChecked());
        Bytes clearRed;
        for (int i = 0; i < 16 * 16; ++i) clearRed.insert(clearRed.end(), {0, 0, 255, 0});
        const Bytes b = buildDds(DdsFile::argb32(16, 16, clearRed));
        dds->preview(put("r.dds", b), 0, b.size(), "r.dds");
        // the transparent picture shows the checkerboard with blending, the picture's colour without
        const QPoint corner = dds->view()->pictureRect().center().toPoint();
        const QRgb blended = dds->view()->grab().toImage().pixel(corner);
        dds->alphaAction()->trigger();
        QVERIFY(!scene->blending());
        QVERIFY(!tga->alphaAction()->isChecked());
        const QRgb opaque = dds->view()->grab().toImage().pixel(corner);
        QVERIFY(qRed(blended) == qBlue(blended));  // white or grey squares
        QCOMPARE(opaque, qRgb(255, 0, 0));
        tga->preview(put("b.tga", tgaBytes(32, 32)), 0, tgaBytes(32, 32).size(), "b.tga");
        QVERIFY(!scene->blending());
        QVERIFY(!dds->alphaAction()->isChecked());
    }

    void refusedFileLeavesPageAndPicture() {
        dds->preview(put("a.dds", ddsBytes(64, 32, 1)), 0, ddsBytes(64, 32, 1).size(), "a.dds");
        shown.clear();
        TgaFile t;
        t.colourMapType = 1;
        t.width = 4;
        t.height = 4;
        t.bgra = Bytes(64, 1);
        const Bytes bad = buildTga(t);
        try {
            tga->preview(put("c.tga", bad), 0, bad.size(), "cmap.tga");
            QFAIL("no error");
        } catch (const FormatError& e) {
            QCOMPARE(QString(e.what()), QStringLiteral("ColorMapped TGA unsupported"));
        }
        QVERIFY(shown.empty());
        QCOMPARE(tga->nameLabel()->text(), QStringLiteral("cmap.tga"));
        QCOMPARE(scene->picture().size(), QSize(64, 32));
    }

    void saveWritesA32BitBitmapUnderTheChosenName() {
        const Bytes b = ddsBytes(40, 24, 2);
        dds->preview(put("a.dds", b), 0, b.size(), "a.dds");
        prompts.files.push_back(QString::fromStdString(dir.file("out")));
        dds->savePicture();
        QCOMPARE(prompts.asked.back().text, QStringLiteral("Точечный рисунок (*.bmp)|*.bmp"));
        EntryReader r{Bytes(b)};
        QVERIFY(readFile(dir.file("out")) == EncodeBmp(LoadDds(r).image, BmpDepth::Argb32));
        QVERIFY(!QFile::exists(QString::fromStdString(dir.file("out.bmp"))));
        // the dialog offers the name it last had
        prompts.files.push_back(std::nullopt);
        tga->savePicture();
        QCOMPARE(prompts.asked.back().caption, QString::fromStdString(dir.file("out")));
    }
};

QTEST_MAIN(PreviewImageTest)
#include "preview_image_test.moc"
