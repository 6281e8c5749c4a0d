// The scene's items without drawing them: what meshes keep of the vertices they are given,
// the spheres the camera's clip planes are fitted to, and item and camera bookkeeping. Runs
// on the offscreen platform, where no GL view can be shown.
#include <QtTest>

#include "gui/scene/scene.h"
#include "gui/scene/scene_view.h"

using namespace varmelo::gui::scene;

class SceneItemsTest : public QObject {
    Q_OBJECT

private slots:
    void noGlViewOffscreen() { QVERIFY(!SceneView::glAvailable()); }

    void setTrianglesKeepsWholeVertices_data() {
        QTest::addColumn<int>("positionFloats");
        QTest::addColumn<int>("normalFloats");
        QTest::addColumn<int>("colourFloats");
        QTest::addColumn<int>("vertices");
        QTest::addColumn<int>("colours");
        QTest::newRow("complete") << 9 << 9 << 12 << 3 << 12;
        QTest::newRow("half a vertex dropped") << 10 << 9 << 12 << 3 << 12;
        QTest::newRow("normals missing") << 9 << 3 << 0 << 3 << 0;
        QTest::newRow("colours short") << 9 << 9 << 4 << 3 << 12;
        QTest::newRow("colours long") << 9 << 9 << 20 << 3 << 12;
    }
    void setTrianglesKeepsWholeVertices() {
        QFETCH(int, positionFloats);
        QFETCH(int, normalFloats);
        QFETCH(int, colourFloats);
        QFETCH(int, vertices);
        QFETCH(int, colours);
        Scene scene;
        Mesh& m = scene.addMesh();
        m.setTriangles(std::vector<float>(positionFloats, 1.0f), std::vector<float>(normalFloats, 0.5f),
                       std::vector<float>(colourFloats, 0.25f));
        QCOMPARE(m.vertexCount(), vertices);
        QCOMPARE(int(m.normals().size()), vertices * 3);
        QCOMPARE(int(m.colours().size()), colours);
        QCOMPARE(m.usesVertexColours(), colours > 0);
        // Padding never invents a colour other than opaque white.
        if (colourFloats > 0 && colourFloats < colours) QCOMPARE(m.colours().back(), 1.0f);
    }

    void indexedTrianglesNameOnlyVerticesTheyHave() {
        Scene scene;
        Mesh& m = scene.addMesh();
        // Four vertices (the last one far away and named by no kept triangle); the second
        // triangle names a fifth vertex and goes, the half triangle at the end too.
        m.setIndexedTriangles({0, 0, 0, 2, 0, 0, 0, 2, 0, 100, 100, 100}, {}, {0, 1, 2, 1, 4, 2, 3, 0});
        QVERIFY(m.indexed() && m.flatNormals());
        QCOMPARE(m.indices(), (std::vector<std::uint16_t>{0, 1, 2}));
        QCOMPARE(m.vertexCount(), 4);
        QCOMPARE(m.triangleCount(), 1);
        QVector3D c;
        float r = 0;
        QVERIFY(m.localBounds(c, r));
        QCOMPARE(c, QVector3D(1, 1, 0));
        // Ranges count indices.
        m.setTexturing({}, {{0, 6, nullptr, false, {}, nullptr, 0}});
        QCOMPARE(m.ranges().at(0).count, 3);
        QCOMPARE(m.texCoords().size(), size_t(8));
        m.setTriangles({0, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 1, 0, 0, 1, 0, 0, 1});
        QVERIFY(!m.indexed() && !m.flatNormals() && m.indices().empty());
    }

    void appendedVerticesAndColours() {
        Scene scene;
        Mesh& m = scene.addMesh();
        Material grey;
        grey.diffuse = {0.5f, 0.5f, 0.5f, 1};
        m.setMaterial(grey);
        m.appendVertex({0, 0, 0}, {0, 0, 1});
        QVERIFY(m.colours().empty());
        // The first coloured entry gives the earlier one the material's colour.
        m.appendVertex({1, 0, 0}, {0, 0, 1}, QColor(255, 0, 0));
        m.appendVertex({0, 1, 0}, {0, 0, 1});
        const std::vector<float> expected = {0.5f, 0.5f, 0.5f, 1, 1, 0, 0, 1, 0.5f, 0.5f, 0.5f, 1};
        QCOMPARE(m.colours(), expected);
        QCOMPARE(m.triangleCount(), 1);

        const auto geometry = m.geometryRevision();
        const auto colour = m.colourRevision();
        m.setColours(std::vector<float>(12, 0.0f));
        QCOMPARE(m.geometryRevision(), geometry);
        QVERIFY(m.colourRevision() != colour);
        m.fillColour(Qt::red);
        QVERIFY(!m.usesVertexColours());
        m.clearFillColour();
        QVERIFY(m.usesVertexColours());
        m.clear();
        QCOMPARE(m.vertexCount(), 0);
        QVector3D c;
        float r = 0;
        QVERIFY(!m.localBounds(c, r));
    }

    void boundsOfTheShownItems() {
        Scene scene;
        QVector3D c;
        float r = 0;
        QVERIFY(!scene.bounds(c, r));

        Mesh& m = scene.addMesh();
        m.setTriangles({-1, 0, 0, 3, 0, 0, 1, 2, 0}, {});
        QVERIFY(m.localBounds(c, r));
        QCOMPARE(c, QVector3D(1, 1, 0));
        QCOMPARE(r, std::sqrt(5.0f));
        // Moved and turned: the sphere goes along, its size stays.
        m.setPosition({10, 0, 0});
        m.setDirection({1, 0, 0});
        m.setUp({0, 0, 1});
        QVERIFY(m.worldBounds(c, r));
        QVERIFY((c - QVector3D(10, 1, 1)).length() < 1e-5f);

        Sphere& s = scene.addSphere();
        s.setRadius(2);
        s.setPosition({-10, 0, 0});
        QVERIFY(scene.bounds(c, r));
        QVERIFY(r >= 12 && std::fabs(c.y()) < 3);
        s.setVisible(false);
        QVERIFY(scene.bounds(c, r));
        QVERIFY(c.x() > 5);

        Box& b = scene.addBox();
        b.setSize({-2, 2, 1});
        QVERIFY(b.localBounds(c, r));
        QCOMPARE(r, 1.5f);
    }

    void itemsLeaveTheirScene() {
        Scene scene, other;
        Sphere& s = scene.addSphere();
        Box& foreign = other.addBox();
        s.setPosition({1, 2, 3});
        scene.camera().setTarget(&s);
        scene.remove(&foreign);
        QCOMPARE(int(scene.items().size()), 1);
        QCOMPARE(int(other.items().size()), 1);
        QVERIFY(s.id() != foreign.id());
        scene.remove(&s);
        QVERIFY(scene.items().empty());
        QCOMPARE(scene.camera().target(), QVector3D(1, 2, 3));
    }

    void cameraDistance_data() {
        QTest::addColumn<QVector3D>("position");
        QTest::addColumn<float>("distance");
        QTest::addColumn<QVector3D>("expected");
        QTest::newRow("along its line") << QVector3D(3, 4, 0) << 10.f << QVector3D(6, 8, 0);
        QTest::newRow("onto the target") << QVector3D(0, 0, 5) << 0.f << QVector3D(0, 0, 0);
        QTest::newRow("from the target, backwards") << QVector3D(0, 0, 0) << 2.f << QVector3D(0, -2, 0);
    }
    void cameraDistance() {
        QFETCH(QVector3D, position);
        QFETCH(float, distance);
        QFETCH(QVector3D, expected);
        Scene scene;
        scene.camera().setTarget(QVector3D(0, 0, 0));
        scene.camera().setPosition(position);
        scene.camera().setDistance(distance);
        QVERIFY((scene.camera().position() - expected).length() < 1e-5f);
    }

    void wideAndTallViewsSeeTheSameAngleAcrossTheShorterSide() {
        Scene scene;
        Camera& cam = scene.camera();
        cam.setPosition({0, -10, 0});
        cam.setTarget(QVector3D(0, 0, 0));
        // A point at the edge of a 58.5 degree cone lands on the shorter side's border.
        const float edge = 10 * std::tan(58.5f / 2 * float(M_PI) / 180);
        const QMatrix4x4 wide = cam.projectionMatrix(400, 200, {0, 0, 0}, 1) * cam.viewMatrix();
        const QMatrix4x4 tall = cam.projectionMatrix(200, 400, {0, 0, 0}, 1) * cam.viewMatrix();
        QVERIFY(std::fabs(wide.map(QVector3D(0, 0, edge)).y() - 1) < 1e-3f);
        QVERIFY(std::fabs(tall.map(QVector3D(edge, 0, 0)).x() - 1) < 1e-3f);
    }
};

QTEST_MAIN(SceneItemsTest)
#include "scene_items_test.moc"
