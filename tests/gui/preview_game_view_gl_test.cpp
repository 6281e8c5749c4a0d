// The model page's game look on a real GL context: the texture's colours where the part is,
// alpha blended, the selected part tinted, the silver look pixel for pixel once switched off,
// and the textures given back with the view.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QSurfaceFormat>
#include <QtTest>

#include "core/settings/messages.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/preview_host.h"
#include "gui/scene/scene.h"
#include "gui/scene/scene_view.h"
#include "gui/support/scripted_prompts.h"
#include "support/demo_vehicle.h"
#include "support/dff_builder.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

namespace {

// One model and its dictionary, side by side in one file.
class PairHost : public PreviewHost {
public:
    std::string path;
    Bytes model, dictionary;
    bool on = true;

    void write() {
        Bytes all = model;
        all.insert(all.end(), dictionary.begin(), dictionary.end());
        writeFile(path, all);
    }
    std::vector<std::string> entryNames() const override { return {"box.dff", "box.txd"}; }
    EntryPlace entryPlace(size_t index) const override {
        return index == 0 ? EntryPlace{path, 0, model.size()} : EntryPlace{path, model.size(), dictionary.size()};
    }
    uint64_t archiveSerial() const override { return 1; }
    void showStatus(const QString&) override {}
    bool gameView() const override { return on; }
    void setGameView(bool value) override { on = value; }
};

// A 2 x 2 box whose every face shows the texture "skin", in a white material.
Bytes box() {
    DffBuilder b;
    DffGeometryPlan g = texturedBoxGeometry({-2, -2, -2}, {2, 2, 2}, {0, 0, 0, 0, 0, 0});
    DffMaterialPlan m;
    m.colour = {255, 255, 255, 255};
    m.texture = "skin";
    g.materials = {m};
    g.radius = 1.5f;
    b.atomic(b.frame("box"), b.geometry(g));
    return b.build();
}

Bytes skin(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    std::vector<uint8_t> texels;
    for (int i = 0; i < 64; ++i) texels.insert(texels.end(), {b, g, r, a});
    return TxdBuilder().add(TxdTexture::d3d9("skin", TexFormat::B8888, 8, 8, texels, a != 255)).build();
}

bool isWhite(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }
bool isGreen(QRgb c) { return qGreen(c) > 60 && qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40; }
bool isGrey(QRgb c) {
    return !isWhite(c) && std::abs(qRed(c) - qGreen(c)) < 16 && std::abs(qGreen(c) - qBlue(c)) < 16;
}
bool isRed(QRgb c) { return qRed(c) > 60 && qRed(c) > qGreen(c) + 50 && qRed(c) > qBlue(c) + 50; }

int count(const QImage& img, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += test(img.pixel(x, y));
    return n;
}

int differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

}  // namespace

class PreviewGameViewGlTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;

    std::unique_ptr<DffPage> showPage(PreviewHost* host) {
        auto page = std::make_unique<DffPage>(messages, prompts, std::make_shared<ModelCameraDriver>(), host);
        page->setShowPage([](PreviewPage) {});
        page->resize(320, 480);
        page->show();
        if (!QTest::qWaitForWindowExposed(page.get())) return nullptr;
        return page;
    }
    static void preview(DffPage& page, PairHost& host) {
        const PreviewHost::EntryPlace at = host.entryPlace(0);
        page.preview(at.archivePath, at.offset, at.size, "box.dff");
    }
    static QImage frame(DffPage& page) {
        return page.view()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void texturesShowWhereThePartIsAndOffIsSilver() {
        PairHost host;
        host.path = dir.file("pair.img");
        host.model = box();
        host.dictionary = skin(20, 210, 40, 255);
        host.write();
        const int before = scene::SceneView::liveGlObjects();
        {
            auto page = showPage(&host);
            QVERIFY(page && page->view());
            preview(*page, host);
            const QImage textured = frame(*page);
            QCOMPARE(page->view()->lastGlError(), 0u);
            const int green = count(textured, isGreen);
            QVERIFY2(green > 2000, qPrintable(QString::number(green)));
            QCOMPARE(count(textured, isGrey), 0);

            // Selected: the texture tinted red, so the green darkens and nothing else changes colour.
            page->list()->setCurrentRow(0);
            const QImage tinted = frame(*page);
            int darker = 0;
            for (int y = 0; y < tinted.height(); ++y)
                for (int x = 0; x < tinted.width(); ++x)
                    if (isGreen(textured.pixel(x, y))) darker += qGreen(tinted.pixel(x, y)) < qGreen(textured.pixel(x, y)) / 2;
            QVERIFY2(darker > green * 9 / 10, qPrintable(QString("%1 of %2").arg(darker).arg(green)));
            page->list()->clearSelection();

            // Off: the same pixels as a page that never left the silver look.
            page->gameViewItem()->trigger();
            const QImage off = frame(*page);
            PairHost silverHost = host;
            silverHost.on = false;
            auto silver = showPage(&silverHost);
            QVERIFY(silver);
            preview(*silver, silverHost);
            const QImage plain = frame(*silver);
            QVERIFY(count(plain, isGrey) > 2000);
            QCOMPARE(count(off, isGreen), 0);
            QVERIFY2(differing(off, plain) < 5, qPrintable(QString::number(differing(off, plain))));
        }
        // The views went with their pages, textures and all.
        QCOMPARE(scene::SceneView::liveGlObjects(), before);
    }

    void alphaIsBlended() {
        PairHost host;
        host.path = dir.file("alpha.img");
        host.model = box();
        host.dictionary = skin(255, 0, 0, 0);
        host.write();
        auto page = showPage(&host);
        QVERIFY(page && page->view());
        preview(*page, host);
        // No alpha at all: nothing of the box is left.
        QCOMPARE(count(frame(*page), [](QRgb c) { return !isWhite(c); }), 0);

        host.dictionary = skin(255, 0, 0, 128);
        host.write();
        preview(*page, host);
        // Half alpha: the red mixed with the white behind (through both walls of the box), a pink.
        const QImage half = frame(*page);
        const int pink = count(half, [](QRgb c) {
            return qRed(c) > 200 && qGreen(c) > 40 && qGreen(c) < 200 && std::abs(qGreen(c) - qBlue(c)) < 20;
        });
        QVERIFY2(pink > 2000, qPrintable(QString::number(pink)));
        QCOMPARE(page->view()->lastGlError(), 0u);
    }

    void theDemoCarIsPaintedAndHasFourWheels() {
        PairHost host;
        host.path = dir.file("car.img");
        host.model = demoVehicle();
        host.dictionary = demoVehicleTextures();
        host.write();
        auto page = showPage(&host);
        QVERIFY(page && page->view());
        preview(*page, host);
        // Three times nearer than the fit, so the car fills the view.
        page->scene().camera().setPosition(page->scene().camera().position() * (1.0f / 3));
        const QImage car = frame(*page);
        QCOMPARE(page->view()->lastGlError(), 0u);
        const int red = count(car, isRed);
        QVERIFY2(red > 1500, qPrintable(QString::number(red)));
        // The wheels are the darkest things drawn; hidden, their pixels go back to white.
        const int wheel = 4;
        QCOMPARE(page->rowMeshes(wheel).size(), size_t(4));
        page->list()->item(wheel)->setCheckState(Qt::Unchecked);
        const QImage noWheels = frame(*page);
        const int gone = differing(car, noWheels);
        QVERIFY2(gone > 150, qPrintable(QString::number(gone)));
    }
};

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(scene::SceneView::surfaceFormat());
    QApplication app(argc, argv);
    PreviewGameViewGlTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "preview_game_view_gl_test.moc"
