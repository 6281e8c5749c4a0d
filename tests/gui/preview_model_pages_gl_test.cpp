// The model and collision pages on a real GL context: what their rows and records do to the
// pixels of the views, the dead wheel, antialiasing switched in both views at once and the
// pointer position the two views share.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QSurfaceFormat>
#include <QtTest>

#include "core/settings/messages.h"
#include "gui/app/command_actions.h"
#include "gui/app/main_window.h"
#include "gui/preview/model/col_page.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/install_pages.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/preview_panel.h"
#include "gui/preview/texture/image_scene.h"
#include "gui/scene/scene.h"
#include "gui/scene/scene_view.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"
#include "support/col_builder.h"
#include "support/dff_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

namespace {

bool isWhite(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }
bool isRed(QRgb c) { return qRed(c) > 60 && qGreen(c) < 30 && qBlue(c) < 30; }
// Lit grey of the default material and of silver parts.
bool isGrey(QRgb c) {
    return !isWhite(c) && std::abs(qRed(c) - qGreen(c)) < 16 && std::abs(qGreen(c) - qBlue(c)) < 16;
}

// Pixels where the two frames differ.
QList<QPoint> changed(const QImage& a, const QImage& b) {
    QList<QPoint> out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) out << QPoint(x, y);
    return out;
}

int count(const QImage& img, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += test(img.pixel(x, y));
    return n;
}

// Two boxes side by side along x.
Bytes twoParts() {
    DffBuilder b;
    b.atomic(b.frame("left"), b.geometry(boxGeometry({-6, -2, -2}, {-2, 2, 2}, true)));
    DffGeometryPlan right = boxGeometry({2, -2, -2}, {6, 2, 2}, false);
    right.radius = 1.2f;  // the camera ends 12 units from the origin
    b.atomic(b.frame("right"), b.geometry(right));
    return b.build();
}

}  // namespace

class PreviewModelPagesGlTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;

    std::string put(const std::string& name, const Bytes& bytes) {
        writeFile(dir.file(name), bytes);
        return dir.file(name);
    }
    template <class Page>
    std::unique_ptr<Page> showPage(std::shared_ptr<ModelCameraDriver> driver = std::make_shared<ModelCameraDriver>()) {
        auto page = std::make_unique<Page>(messages, prompts, std::move(driver));
        page->setShowPage([](PreviewPage) {});
        page->resize(320, 480);
        page->show();
        if (!QTest::qWaitForWindowExposed(page.get())) return nullptr;
        return page;
    }
    static QImage frame(scene::SceneView* view) {
        return view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void dffRowsShowHideAndPaintParts() {
        auto page = showPage<DffPage>();
        QVERIFY(page && page->view());
        const Bytes bytes = twoParts();
        page->preview(put("two.dff", bytes), 0, bytes.size(), "two.dff");
        QCOMPARE(page->list()->count(), 2);
        QCOMPARE(page->list()->item(1)->text(), QString("right"));
        QCOMPARE(page->info()->text(), QString("16 вершин, 24 полигонов"));

        const QImage all = frame(page->view());
        QVERIFY(count(all, isGrey) > 200);
        QCOMPARE(count(all, isRed), 0);

        page->list()->item(0)->setCheckState(Qt::Unchecked);
        const QImage withoutLeft = frame(page->view());
        const QList<QPoint> left = changed(all, withoutLeft);
        QVERIFY(left.size() > 100);
        int cleared = 0;
        for (const QPoint& p : left) cleared += isWhite(withoutLeft.pixel(p));
        QVERIFY2(cleared > left.size() * 9 / 10, qPrintable(QString("%1 of %2").arg(cleared).arg(left.size())));

        page->list()->item(0)->setCheckState(Qt::Checked);
        QVERIFY(changed(all, frame(page->view())).size() < 5);

        page->list()->setCurrentRow(1);
        const QImage selected = frame(page->view());
        const QList<QPoint> right = changed(all, selected);
        QVERIFY(right.size() > 100);
        int red = 0;
        for (const QPoint& p : right) red += isRed(selected.pixel(p));
        QVERIFY2(red > right.size() * 9 / 10, qPrintable(QString("%1 of %2").arg(red).arg(right.size())));
        // The left part kept its silver.
        int kept = 0;
        for (const QPoint& p : left) kept += selected.pixel(p) == all.pixel(p);
        QVERIFY(kept > left.size() * 9 / 10);
    }

    void wheelChangesNothing() {
        auto page = showPage<DffPage>();
        QVERIFY(page && page->view());
        const Bytes bytes = twoParts();
        page->preview(put("two.dff", bytes), 0, bytes.size(), "two.dff");
        const QImage before = frame(page->view());
        const QVector3D position = page->scene().camera().position();
        for (int delta : {120, -480}) {
            QWheelEvent wheel(QPointF(50, 50), page->view()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(page->view(), &wheel);
        }
        QCOMPARE(page->scene().camera().position(), position);
        QCOMPARE(frame(page->view()), before);
    }

    void colShowsTheFirstRecordAndReplacesItsShapes() {
        auto page = showPage<ColPage>();
        QVERIFY(page && page->view());
        ColRecordPlan shapes;
        shapes.name = "shapes";
        shapes.bound = {{0, 0, 0}, 3};
        shapes.box = {{-2, -2, -2}, {2, 2, 2}};
        shapes.spheres = {{{-1, 0, 0}, 1}};
        shapes.boxes = {{{0.5f, -0.5f, -0.5f}, {1.5f, 0.5f, 0.5f}}};
        ColRecordPlan empty = shapes;
        empty.magic = "COL2";
        empty.name = "empty";
        empty.spheres.clear();
        empty.boxes.clear();
        Bytes bytes = colRecord(shapes);
        const Bytes second = colRecord(empty);
        bytes.insert(bytes.end(), second.begin(), second.end());
        page->preview(put("two.col", bytes), 0, bytes.size(), "two.col");

        QCOMPARE(page->list()->count(), 2);
        const QImage first = frame(page->view());
        QVERIFY2(count(first, isGrey) > 100, "the sphere and box of the first record are drawn");
        const int outline = count(first, [](QRgb c) { return qRed(c) > 200 && qRed(c) - qGreen(c) > 25; });
        QVERIFY2(outline > 50, "the red wireframe bounds are drawn");

        page->list()->setCurrentRow(1);
        const QImage next = frame(page->view());
        QCOMPARE(count(next, isGrey), 0);
        QVERIFY(count(next, [](QRgb c) { return qRed(c) > 200 && qRed(c) - qGreen(c) > 25; }) > 50);
    }

    void antialiasingCommandSwitchesBothViews() {
        testing::MemorySettings settings;
        MainWindow w(settings, prompts, {});
        auto* dff = w.findChild<DffPage*>();
        auto* col = w.findChild<ColPage*>();
        QVERIFY(dff && col && dff->view() && col->view());
        QCOMPARE(dff->view()->antialiasing(), scene::SceneView::Antialiasing::DriverDefault);
        QCOMPARE(col->view()->antialiasing(), scene::SceneView::Antialiasing::Multisample2x);
        QAction* command = w.commands()["ServiceAntialiasing1"];
        QVERIFY(command->isChecked());
        command->trigger();
        QVERIFY(!command->isChecked());
        QCOMPARE(dff->view()->antialiasing(), scene::SceneView::Antialiasing::None);
        QCOMPARE(col->view()->antialiasing(), scene::SceneView::Antialiasing::None);
        command->trigger();
        QCOMPARE(dff->view()->antialiasing(), scene::SceneView::Antialiasing::Multisample2x);
        QCOMPARE(col->view()->antialiasing(), scene::SceneView::Antialiasing::Multisample2x);
    }

    void thePictureViewsShareThePointerToo();

    void aDragContinuesFromWhereTheOtherViewSawThePointer() {
        auto driver = std::make_shared<ModelCameraDriver>();
        auto dff = showPage<DffPage>(driver);
        auto col = showPage<ColPage>(driver);
        QVERIFY(dff && col && dff->view() && col->view());
        QTest::mousePress(dff->view(), Qt::RightButton, {}, QPoint(20, 40));
        scene::Camera& camera = col->scene().camera();
        const float distance = camera.distance();
        // Two pixels up from where the model view saw the press: 10 % farther.
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 38), col->view()->mapToGlobal(QPointF(20, 38)),
                         Qt::NoButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(col->view(), &move);
        QVERIFY(std::abs(camera.distance() - distance * 1.1f) < distance * 1e-4f);
        QCOMPARE(driver->lastPosition(), QPoint(20, 38));

        // A release is kept by the model view only.
        QTest::mouseRelease(col->view(), Qt::RightButton, {}, QPoint(60, 60));
        QCOMPARE(driver->lastPosition(), QPoint(20, 38));
        QTest::mouseRelease(dff->view(), Qt::RightButton, {}, QPoint(70, 70));
        QCOMPARE(driver->lastPosition(), QPoint(70, 70));
    }
};

void PreviewModelPagesGlTest::thePictureViewsShareThePointerToo() {
    MessageTable texts;
    PreviewPanel panel;
    installPreviewPages(panel, texts, prompts);
    auto* dff = qobject_cast<DffPage*>(panel.page(PreviewPage::Dff));
    auto* pictures = panel.findChild<ImageScene*>();
    QVERIFY(dff && dff->view() && pictures);
    panel.resize(320, 480);
    panel.setCurrentWidget(dff);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    pictures->mouseDown(QPoint(20, 40));
    scene::Camera& camera = dff->scene().camera();
    const float distance = camera.distance();
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 38), dff->view()->mapToGlobal(QPointF(20, 38)), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(dff->view(), &move);
    QVERIFY(std::abs(camera.distance() - distance * 1.1f) < distance * 1e-4f);
    QCOMPARE(pictures->lastPointer(), QPoint(20, 38));
}

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(scene::SceneView::surfaceFormat());
    QApplication app(argc, argv);
    PreviewModelPagesGlTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "preview_model_pages_gl_test.moc"
