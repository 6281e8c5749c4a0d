// The model and collision pages without GL: rows, captions and labels, parts shown, hidden
// and painted by their rows, the camera fit, the records of a collision file and the shapes
// of the one shown, and damaged files.
#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include "core/io/errors.h"
#include "core/settings/messages.h"
#include "gui/preview/model/col_page.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/model/model_camera.h"
#include "gui/scene/scene.h"
#include "gui/support/scripted_prompts.h"
#include "support/col_builder.h"
#include "support/dff_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

namespace {

// Three boxes in a row along x, the middle one with an unnamed frame.
Bytes threeParts(float radius = 50) {
    DffBuilder b;
    const char* names[] = {"body", "", "wheel"};
    for (int i = 0; i < 3; ++i) {
        DffGeometryPlan g = boxGeometry({i * 3.0f, 0, 0}, {i * 3.0f + 2, 2, 2}, i != 2);
        g.radius = i == 1 ? radius : 1;
        b.atomic(b.frame(names[i]), b.geometry(g));
    }
    return b.build();
}

}  // namespace

class PreviewModelPagesTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;
    std::vector<PreviewPage> shown;

    template <class Page>
    std::unique_ptr<Page> makePage() {
        auto page = std::make_unique<Page>(messages, prompts, std::make_shared<ModelCameraDriver>());
        page->setShowPage([this](PreviewPage p) { shown.push_back(p); });
        return page;
    }
    std::string put(const std::string& name, const Bytes& bytes) {
        writeFile(dir.file(name), bytes);
        return dir.file(name);
    }
    static QStringList captions(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

private slots:
    void init() { shown.clear(); }

    void dffFillsRowsAndLabelsWithAPlaceholderView() {
        auto page = makePage<DffPage>();
        const Bytes bytes = threeParts();
        page->preview(put("car.dff", bytes), 0, bytes.size(), "car.dff");

        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Dff});
        QVERIFY(!page->view());
        QVERIFY(page->findChild<QWidget*>("Scene1"));
        QCOMPARE(page->nameLabel()->text(), QString("car.dff"));
        QCOMPARE(page->nameLabel()->objectName(), QString("DFFName"));
        QCOMPARE(page->sizeLabel()->text(), QString("%1 КБ").arg((bytes.size() + 1023) / 1024));
        QCOMPARE(page->info()->text(), QString("24 вершин, 36 полигонов"));
        QCOMPARE(captions(page->list()), (QStringList{"body", "", "wheel"}));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(page->list()->item(i)->checkState(), Qt::Checked);
            QVERIFY(page->partMesh(i));
            QCOMPARE(page->partMesh(i)->triangleCount(), 12);
            QVERIFY(page->partMesh(i)->visible());
            QVERIFY(!page->partMesh(i)->hasFillColour());
        }
    }

    void rowsHideAndPaintTheirParts() {
        auto page = makePage<DffPage>();
        const Bytes bytes = threeParts();
        page->preview(put("car.dff", bytes), 0, bytes.size(), "car.dff");
        const QString info = page->info()->text();

        page->list()->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(!page->partMesh(0)->visible());
        QVERIFY(page->partMesh(1)->visible() && page->partMesh(2)->visible());

        page->list()->setCurrentRow(1);
        QVERIFY(page->partMesh(1)->hasFillColour());
        QCOMPARE(page->partMesh(1)->fillRgba(), (scene::Rgba{1, 0, 0, 1}));
        QVERIFY(!page->partMesh(0)->hasFillColour() && !page->partMesh(2)->hasFillColour());
        page->list()->setCurrentRow(2);
        QVERIFY(!page->partMesh(1)->hasFillColour() && page->partMesh(2)->hasFillColour());

        page->list()->item(0)->setCheckState(Qt::Checked);
        QVERIFY(page->partMesh(0)->visible());
        QCOMPARE(page->info()->text(), info);
    }

    void cameraIsFittedToTheLargestRadiusKeepingItsDirection() {
        auto page = makePage<DffPage>();
        const QVector3D direction = page->scene().camera().position().normalized();
        const Bytes bytes = threeParts(50);
        page->preview(put("car.dff", bytes), 0, bytes.size(), "car.dff");
        QCOMPARE(qRound(page->scene().camera().distance()), 500);
        QVERIFY((page->scene().camera().position().normalized() - direction).length() < 1e-4f);
    }

    void nativeGeometryDrawsNothingAndSaysSo() {
        auto page = makePage<DffPage>();
        DffBuilder b;
        DffGeometryPlan native = boxGeometry({0, 0, 0}, {1, 1, 1}, true);
        native.flags |= 0x01000000;
        native.positions.clear();
        native.normals.clear();
        native.triangles.clear();
        native.vertexCount = 8;
        native.triangleCount = 12;
        b.atomic(b.frame("ps2"), b.geometry(native));
        b.atomic(b.frame("pc"), b.geometry(boxGeometry({0, 0, 0}, {1, 1, 1}, true)));
        const Bytes bytes = b.build();
        page->preview(put("n.dff", bytes), 0, bytes.size(), "n.dff");
        QCOMPARE(captions(page->list()), (QStringList{"ps2", "pc"}));
        QVERIFY(!page->partMesh(0));
        QVERIFY(page->partMesh(1));
        QVERIFY(!page->status()->isHidden());
        QCOMPARE(page->status()->text(), QString("Геометрия в формате приставки не показывается: 1 из 2"));

        const Bytes plain = threeParts();
        page->preview(put("p.dff", plain), 0, plain.size(), "p.dff");
        QVERIFY(page->status()->isHidden());
    }

    void anOrbitOutlivesTheNextModel() {
        auto driver = std::make_shared<ModelCameraDriver>();
        DffPage page(messages, prompts, driver);
        page.setShowPage([](PreviewPage) {});
        const Bytes bytes = threeParts(50);
        page.preview(put("a.dff", bytes), 0, bytes.size(), "a.dff");
        scene::Camera& camera = page.scene().camera();
        driver->press(camera, {0, 0}, Qt::LeftButton);
        driver->move(camera, {30, -20}, Qt::LeftButton);
        const QVector3D turned = camera.position().normalized();
        page.preview(put("b.dff", bytes), 0, bytes.size(), "b.dff");
        QVERIFY((camera.position().normalized() - turned).length() < 1e-4f);
        QCOMPARE(qRound(camera.distance()), 500);
    }

    void aDamagedCollisionFileListsWhatWasFound() {
        auto page = makePage<ColPage>();
        ColRecordPlan a;
        a.name = "whole";
        a.spheres = {{{0, 0, 0}, 1}};
        ColRecordPlan b;
        b.magic = "COL2";
        b.name = "cut";
        b.faces = {{0, 1, 2}};
        b.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        Bytes bytes = colRecord(a);
        const Bytes second = colRecord(b);
        bytes.insert(bytes.end(), second.begin(), second.end() - 10);
        // A record whose counts point far beyond the file.
        Bytes wild = colRecord(a);
        wild[72] = wild[73] = wild[74] = wild[75] = 0xFF;
        bytes.insert(bytes.end(), wild.begin(), wild.end());
        try {
            page->preview(put("d.col", bytes), 0, bytes.size(), "d.col");
        } catch (const FileError&) {
        }
        QVERIFY(page->list()->count() >= 1);
        QCOMPARE(page->list()->item(0)->text(), QString("whole"));
        for (int row = 0; row < page->list()->count(); ++row) page->list()->setCurrentRow(row);
    }

    void aNewModelReplacesTheOldMeshes() {
        auto page = makePage<DffPage>();
        const Bytes big = threeParts();
        page->preview(put("a.dff", big), 0, big.size(), "a.dff");
        DffBuilder b;
        b.atomic(b.frame("only"), b.geometry(boxGeometry({0, 0, 0}, {1, 1, 1}, true)));
        const Bytes small = b.build();
        page->preview(put("b.dff", small), 0, small.size(), "b.dff");
        QCOMPARE(page->scene().items().size(), size_t(1));
        QCOMPARE(captions(page->list()), QStringList{"only"});
    }

    void aDamagedModelShowsWhatWasReadThenFails() {
        auto page = makePage<DffPage>();
        Bytes bytes = threeParts();
        bytes.resize(bytes.size() / 2);
        QVERIFY_THROWS_EXCEPTION(FileError, page->preview(put("cut.dff", bytes), 0, bytes.size(), "cut.dff"));
        QCOMPARE(page->nameLabel()->text(), QString("cut.dff"));
        Bytes junk(100, 0xEE);
        QVERIFY_THROWS_EXCEPTION(FileError, page->preview(put("junk.dff", junk), 0, junk.size(), "junk.dff"));
        QCOMPARE(page->list()->count(), 0);
    }

    void colListsRecordsAndShowsTheFirst() {
        auto page = makePage<ColPage>();
        ColRecordPlan a;
        a.name = "abcdefghijklmnopqrstuv";  // 22 bytes: lists show 20
        a.bound = {{1, 2, 3}, 4};
        a.box = {{-1, -2, -3}, {1, 2, 3}};
        a.spheres = {{{0, 0, 0}, 1}, {{2, 0, 0}, 1}};
        ColRecordPlan b;
        b.magic = "COL3";
        b.name = "second";
        b.boxes = {{{0, 0, 0}, {1, 1, 1}}};
        ColRecordPlan c;
        c.magic = "COL2";
        c.name = "third";
        Bytes bytes = colRecord(a);
        for (const Bytes& r : {colRecord(b), colRecord(c)}) bytes.insert(bytes.end(), r.begin(), r.end());
        bytes.resize(bytes.size() + 30, 0);  // padding up to a sector
        page->preview(put("m.col", bytes), 0, bytes.size(), "m.col");

        QCOMPARE(shown, std::vector<PreviewPage>{PreviewPage::Col});
        QVERIFY(!page->view());
        QVERIFY(page->findChild<QWidget*>("Scene2"));
        QCOMPARE(page->nameLabel()->objectName(), QString("COLName"));
        QCOMPARE(captions(page->list()), (QStringList{"abcdefghijklmnopqrst", "second", "third"}));
        QCOMPARE(page->info()->text(), QString("3 объектов"));
        QCOMPARE(page->list()->currentRow(), 0);
        QCOMPARE(page->boundingSphere().position(), QVector3D(1, 2, 3));
        QCOMPARE(page->boundingSphere().radius(), 4.0f);
        QCOMPARE(page->boundingBox().size(), QVector3D(2, 4, 6));
        QCOMPARE(page->shapes().size(), size_t(2));

        page->list()->setCurrentRow(1);
        QCOMPARE(page->shapes().size(), size_t(1));
        QCOMPARE(page->shapes()[0]->kind(), scene::SceneItem::Kind::Box);
        page->list()->setCurrentRow(2);
        QVERIFY(page->shapes().empty());
        // The bounding sphere, the bounding box and the mesh are all that is left.
        QCOMPARE(page->scene().items().size(), size_t(3));
    }

    void colWithoutRecordsKeepsThePreviousPage() {
        auto page = makePage<ColPage>();
        const Bytes zeros(64, 0);
        page->preview(put("z.col", zeros), 0, zeros.size(), "z.col");
        QVERIFY(shown.empty());
        QCOMPARE(page->info()->text(), QString("0 объектов"));
        QCOMPARE(page->nameLabel()->text(), QString("z.col"));
    }
};

QTEST_MAIN(PreviewModelPagesTest)
#include "preview_model_pages_test.moc"
