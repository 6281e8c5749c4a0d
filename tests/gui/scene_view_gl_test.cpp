// The 3D scene view on a real GL context: what it draws where, hiding and recolouring meshes,
// the red outline of bounding shapes, antialiasing switched while shown, the mouse, and GL
// objects given back when a view goes away.
#include <QApplication>
#include <QSurfaceFormat>
#include <QtTest>
#include <cmath>
#include <memory>

#include "gui/scene/camera_driver.h"
#include "gui/scene/scene.h"
#include "gui/scene/scene_view.h"

using namespace varmelo::gui::scene;

namespace {

constexpr int kSize = 200;

bool near(int a, int b, int tolerance) { return std::abs(a - b) <= tolerance; }

bool isWhite(QRgb c) { return qRed(c) > 245 && qGreen(c) > 245 && qBlue(c) > 245; }
bool isRed(QRgb c) { return qRed(c) > 90 && qGreen(c) < 30 && qBlue(c) < 30; }
// The bounding-shape outline over white: red, lightened by its transparency.
bool isOutline(QRgb c) { return qRed(c) > 200 && qRed(c) - qGreen(c) > 25 && near(qGreen(c), qBlue(c), 12); }

QString describe(QRgb c) { return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c)); }

// A triangle standing in the plane y = 0, facing -y, given as three vertex entries.
std::vector<float> trianglePositions(float half) {
    return {-half, 0, -half, half, 0, -half, 0, 0, half};
}
std::vector<float> facingCamera(int vertices) {
    std::vector<float> n;
    for (int i = 0; i < vertices; ++i) n.insert(n.end(), {0, -1, 0});
    return n;
}
std::vector<float> solid(int vertices, float r, float g, float b) {
    std::vector<float> c;
    c.reserve(size_t(vertices) * 4);
    for (int i = 0; i < vertices; ++i)
        for (float v : {r, g, b, 1.0f}) c.push_back(v);
    return c;
}

}  // namespace

class SceneViewGlTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Scene> scene;
    std::unique_ptr<SceneView> view;

    // Camera on -y looking at the origin: world +x is to the right, +z is up.
    void setUpScene() {
        scene = std::make_unique<Scene>();
        scene->camera().setPosition({0, -10, 0});
        scene->camera().setTarget(QVector3D(0, 0, 0));
        Light light;
        light.position = {0, -50, 0};
        scene->setLight(light);
    }

    void showView() {
        view = std::make_unique<SceneView>(*scene);
        view->resize(kSize, kSize);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

    QImage frame() {
        QImage img = view->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
        if (view->lastGlError() != 0) qWarning("GL error 0x%x", view->lastGlError());
        return img;
    }

    // Where a world point lands in the view.
    QPoint project(const QVector3D& p) const {
        QVector3D c;
        float r = 1;
        if (!scene->bounds(c, r)) c = scene->camera().target();
        const QMatrix4x4 m = scene->camera().projectionMatrix(kSize, kSize, c, r) * scene->camera().viewMatrix();
        const QVector3D ndc = m.map(p);
        return QPoint(int((ndc.x() + 1) / 2 * kSize), int((1 - ndc.y()) / 2 * kSize));
    }

    Mesh& redTriangle(float half = 2) {
        Mesh& m = scene->addMesh();
        m.setTriangles(trianglePositions(half), facingCamera(3), solid(3, 1, 0, 0));
        return m;
    }

    int countPixels(const QImage& img, bool (*pred)(QRgb)) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += pred(img.pixel(x, y));
        return n;
    }

private slots:
    void init() { setUpScene(); }
    void cleanup() {
        view.reset();
        scene.reset();
    }

    void meshIsDrawnWhereItsTrianglesProject_data() {
        QTest::addColumn<bool>("vertexColours");
        QTest::addColumn<QVector3D>("position");
        QTest::addColumn<QVector3D>("direction");
        QTest::addColumn<QVector3D>("up");
        // Item coordinates of the triangle are turned by direction (+z) and up (+y).
        QTest::newRow("vertex colours") << true << QVector3D(0, 0, 0) << QVector3D(0, 0, 1) << QVector3D(0, 1, 0);
        QTest::newRow("material colour") << false << QVector3D(0, 0, 0) << QVector3D(0, 0, 1) << QVector3D(0, 1, 0);
        QTest::newRow("moved right and up") << true << QVector3D(2, 0, 1) << QVector3D(0, 0, 1) << QVector3D(0, 1, 0);
        // Item z onto world -x: the apex points left.
        QTest::newRow("turned on its side") << true << QVector3D(0, 0, 0) << QVector3D(-1, 0, 0) << QVector3D(0, 1, 0);
    }
    void meshIsDrawnWhereItsTrianglesProject() {
        QFETCH(bool, vertexColours);
        QFETCH(QVector3D, position);
        QFETCH(QVector3D, direction);
        QFETCH(QVector3D, up);
        Mesh& m = scene->addMesh();
        if (vertexColours) {
            m.setTriangles(trianglePositions(2), facingCamera(3), solid(3, 1, 0, 0));
        } else {
            m.setVertexMode(Mesh::VertexMode::PositionNormal);
            Material red;
            red.ambient = {1, 0, 0, 1};
            red.diffuse = {1, 0, 0, 1};
            m.setMaterial(red);
            m.setTriangles(trianglePositions(2), facingCamera(3));
        }
        m.setPosition(position);
        m.setDirection(direction);
        m.setUp(up);
        showView();
        const QImage img = frame();
        QCOMPARE(view->lastGlError(), 0u);

        const QMatrix4x4 toWorld = m.transform();
        // Inside: the centroid and points near each corner. Outside: beyond each edge.
        const QVector3D inside[] = {{0, 0, -0.67f}, {-1.6f, 0, -1.8f}, {1.6f, 0, -1.8f}, {0, 0, 1.5f}};
        const QVector3D outside[] = {{-1.8f, 0, 1.5f}, {1.8f, 0, 1.5f}, {0, 0, -2.5f}, {0, 0, 2.6f}};
        for (const QVector3D& p : inside) {
            const QPoint at = project(toWorld.map(p));
            QVERIFY2(isRed(img.pixel(at)), qPrintable(describe(img.pixel(at))));
        }
        for (const QVector3D& p : outside) {
            const QPoint at = project(toWorld.map(p));
            QVERIFY2(isWhite(img.pixel(at)), qPrintable(describe(img.pixel(at))));
        }
        QVERIFY(isWhite(img.pixel(2, 2)));
    }

    void flatFacesWithoutNormalsLookAsWithTheirPlaneNormals_data() {
        QTest::addColumn<bool>("twoSided");
        QTest::newRow("one-sided") << false;
        QTest::newRow("two-sided") << true;
    }
    void flatFacesWithoutNormalsLookAsWithTheirPlaneNormals() {
        QFETCH(bool, twoSided);
        // A pyramid pointing at the camera, its four faces each lit at its own angle, and a
        // triangle beside it that shows the camera its back.
        const std::vector<float> points = {-2, 0, -2, 2, 0, -2, 2, 0, 2, -2, 0, 2, 0, -1.5f, 0,
                                           2.5f, 0, -1, 3.5f, 0, 1, 4, 0, -1};
        const std::vector<std::uint16_t> corners = {0, 1, 4, 1, 2, 4, 2, 3, 4, 3, 0, 4, 5, 6, 7};
        std::vector<float> listed, normals;
        for (std::size_t t = 0; t < corners.size(); t += 3) {
            const auto at = [&](int k) { return QVector3D(points[corners[t + k] * 3], points[corners[t + k] * 3 + 1], points[corners[t + k] * 3 + 2]); };
            const QVector3D n = QVector3D::normal(at(0), at(1), at(2));
            for (int k = 0; k < 3; ++k) {
                listed.insert(listed.end(), {at(k).x(), at(k).y(), at(k).z()});
                normals.insert(normals.end(), {n.x(), n.y(), n.z()});
            }
        }
        Material red;
        red.ambient = red.diffuse = {0.9f, 0.1f, 0.1f, 1};
        Mesh& withNormals = scene->addMesh();
        Mesh& flat = scene->addMesh();
        for (Mesh* m : {&withNormals, &flat}) m->setMaterial(red);
        withNormals.setTriangles(listed, normals);
        flat.setIndexedTriangles(points, {}, corners);
        flat.setVisible(false);
        showView();
        view->setTwoSidedLighting(twoSided);
        const QImage expected = frame();
        withNormals.setVisible(false);
        flat.setVisible(true);
        const QImage got = frame();
        int worst = 0, drawn = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const QRgb a = expected.pixel(x, y), b = got.pixel(x, y);
                drawn += !isWhite(a);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        QVERIFY(drawn > 1000);
        QVERIFY2(worst <= 1, qPrintable(QString::number(worst)));
    }

    // A model's prelight multiplies the colour; a reflection adds its environment map times
    // its coefficient; with normals and without.
    void prelightAndReflection_data() {
        QTest::addColumn<bool>("flat");
        QTest::addColumn<float>("tint");
        QTest::addColumn<float>("reflection");
        for (bool flat : {false, true}) {
            const char* kind = flat ? "flat" : "normals";
            QTest::addRow("%s, plain", kind) << flat << 1.0f << 0.0f;
            QTest::addRow("%s, half prelight", kind) << flat << 0.5f << 0.0f;
            QTest::addRow("%s, half reflection", kind) << flat << 1.0f << 0.5f;
        }
    }
    void prelightAndReflection() {
        QFETCH(bool, flat);
        QFETCH(float, tint);
        QFETCH(float, reflection);
        varmelo::Image green(4, 4);
        for (size_t i = 0; i < green.bgra.size(); i += 4) green.bgra[i + 1] = green.bgra[i + 3] = 255;
        const auto picture = std::make_shared<const Texture>(green);
        const auto draw = [&](float withTint, float withReflection) {
            scene = std::make_unique<Scene>();
            setUpScene();
            Mesh& m = scene->addMesh();
            m.setIndexedTriangles(trianglePositions(2), flat ? std::vector<float>{} : facingCamera(3), {0, 1, 2});
            MeshRange range{0, 3, nullptr, false, Rgba{1, 0, 0, 1}, withReflection > 0 ? picture : nullptr, withReflection};
            m.setTexturing({}, {range});
            if (withTint < 1) m.setTints(solid(3, withTint, withTint, withTint));
            showView();
            return frame().pixel(kSize / 2, kSize / 2 + 20);
        };
        const QRgb plain = draw(1, 0), got = draw(tint, reflection);
        QVERIFY2(qRed(plain) > 100 && qGreen(plain) == 0, qPrintable(describe(plain)));
        QVERIFY2(std::abs(qRed(got) - int(std::lround(qRed(plain) * tint))) <= 2, qPrintable(describe(got)));
        QVERIFY2(std::abs(qGreen(got) - int(std::lround(255 * reflection))) <= 2, qPrintable(describe(got)));
    }

    void hidingAndShowingMesh() {
        Mesh& m = redTriangle();
        Mesh& other = scene->addMesh();
        other.setTriangles(trianglePositions(1), facingCamera(3), solid(3, 0, 0, 1));
        other.setPosition({-3.5f, -1, 0});
        showView();
        const QPoint centre = project({0, 0, -0.5f});
        const QPoint left = project({-3.5f, -1, -0.3f});
        QVERIFY(isRed(frame().pixel(centre)));

        m.setVisible(false);
        QImage img = frame();
        QVERIFY2(isWhite(img.pixel(centre)), qPrintable(describe(img.pixel(centre))));
        QVERIFY(qBlue(img.pixel(left)) > 90 && qRed(img.pixel(left)) < 30);
        QCOMPARE(countPixels(img, isRed), 0);

        m.setVisible(true);
        QVERIFY(isRed(frame().pixel(centre)));
        // An emptied mesh draws nothing either.
        m.clear();
        QVERIFY(isWhite(frame().pixel(centre)));
    }

    void replacingColours_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("new vertex colours") << 0 << QColor(192, 192, 192);
        QTest::newRow("one fill colour") << 1 << QColor(0, 0, 255);
        QTest::newRow("fill dropped again") << 2 << QColor(255, 0, 0);
        QTest::newRow("vertex by vertex") << 3 << QColor(0, 255, 0);
        QTest::newRow("fill over a material") << 4 << QColor(0, 0, 255);
    }
    void replacingColours() {
        QFETCH(int, how);
        QFETCH(QColor, expected);
        Mesh& m = redTriangle();
        showView();
        const QPoint centre = project({0, 0, -0.5f});
        QVERIFY(isRed(frame().pixel(centre)));
        switch (how) {
        case 0: m.setColours(solid(3, 192 / 255.f, 192 / 255.f, 192 / 255.f)); break;
        case 1: m.fillColour(Qt::blue); break;
        case 2:
            m.fillColour(Qt::blue);
            QCOMPARE(qBlue(frame().pixel(centre)) > 90, true);
            m.clearFillColour();
            break;
        case 3:
            m.clear();
            for (const QVector3D& p : {QVector3D(-2, 0, -2), QVector3D(2, 0, -2), QVector3D(0, 0, 2)})
                m.appendVertex(p, {0, -1, 0}, Qt::green);
            break;
        case 4:
            m.setVertexMode(Mesh::VertexMode::PositionNormal);
            m.fillColour(Qt::blue);
            break;
        }
        const QRgb got = frame().pixel(centre);
        // Lit from the camera's side: the colour keeps its hue, dimmed at most by half.
        const int channels[3][2] = {{qRed(got), expected.red()}, {qGreen(got), expected.green()},
                                    {qBlue(got), expected.blue()}};
        for (const auto& [have, want] : channels) {
            if (want == 0) QVERIFY2(have < 30, qPrintable(describe(got)));
            else QVERIFY2(have > want / 2, qPrintable(describe(got)));
        }
        if (expected.red() == expected.green() && expected.green() == expected.blue())
            QVERIFY(near(qRed(got), qGreen(got), 4) && near(qGreen(got), qBlue(got), 4));
    }

    void newColoursSplitASharedEdge() {
        // A square of two triangles over one diagonal, sent as four vertices while the
        // colours agree; then the second triangle turns blue at all three of its corners.
        const std::vector<float> square = {-2, 0, -2, 2, 0, -2, -2, 0, 2, 2, 0, -2, 2, 0, 2, -2, 0, 2};
        Mesh& m = scene->addMesh();
        m.setTriangles(square, facingCamera(6), solid(6, 1, 0, 0));
        showView();
        const QPoint first = project({-0.67f, 0, -0.67f}), second = project({0.67f, 0, 0.67f});
        QVERIFY(isRed(frame().pixel(second)));
        std::vector<float> colours = solid(3, 1, 0, 0);
        for (float v : solid(3, 0, 0, 1)) colours.push_back(v);
        m.setColours(colours);
        const QImage img = frame();
        QVERIFY2(isRed(img.pixel(first)), qPrintable(describe(img.pixel(first))));
        const QRgb blue = img.pixel(second);
        QVERIFY2(qBlue(blue) > 90 && qRed(blue) < 30, qPrintable(describe(blue)));
    }

    void outlinedSphereAndBox_data() {
        QTest::addColumn<bool>("sphere");
        QTest::newRow("sphere") << true;
        QTest::newRow("box") << false;
    }
    void outlinedSphereAndBox() {
        QFETCH(bool, sphere);
        if (sphere) {
            Sphere& s = scene->addSphere();
            s.setRadius(3);
            s.setMaterial(Material::redWireframe());
            scene->camera().setTarget(&s);
        } else {
            Box& b = scene->addBox();
            b.setSize({4, 2, 4});
            b.setMaterial(Material::redWireframe());
        }
        view.reset();
        showView();
        view->setAntialiasing(SceneView::Antialiasing::None);
        const QImage img = frame();
        QCOMPARE(view->lastGlError(), 0u);
        // Lines, with the background showing through between them; nothing filled.
        const int lines = countPixels(img, isOutline);
        QVERIFY2(lines > 150, qPrintable(QString::number(lines)));
        QVERIFY(countPixels(img, isWhite) > kSize * kSize * 3 / 4);
        if (sphere) {
            // Inside the outline the background shows between the lines (where many lines
            // meet, near the poles, their red adds up: only the middle is looked at).
            const QPoint c = project({0, 0, 0});
            int background = 0, all = 0;
            for (int y = c.y() - 20; y <= c.y() + 20; ++y)
                for (int x = c.x() - 20; x <= c.x() + 20; ++x, ++all) background += isWhite(img.pixel(x, y));
            QVERIFY2(background > all / 2, qPrintable(QString::number(background)));
            // Every stack of the sphere crosses the vertical line through its middle.
            int crossings = 0;
            bool prev = false;
            for (int y = 0; y < kSize; ++y) {
                const bool on = isOutline(img.pixel(kSize / 2 + 3, y));
                crossings += on && !prev;
                prev = on;
            }
            QVERIFY2(crossings >= 8, qPrintable(QString::number(crossings)));
        } else {
            QCOMPARE(countPixels(img, isRed), 0);
            // The box's front face: outline at its edges, background in its middle.
            const QPoint middle = project({0, -1, 0});
            QVERIFY(isWhite(img.pixel(middle)));
            const QPoint edge = project({-2, -1, 0});
            bool found = false;
            for (int dx = -1; dx <= 1; ++dx) found |= isOutline(img.pixel(edge.x() + dx, edge.y()));
            QVERIFY2(found, qPrintable(describe(img.pixel(edge))));
        }
    }

    void solidPrimitivesAreOpaque() {
        Sphere& s = scene->addSphere();
        s.setRadius(1);
        s.setPosition({-2, 0, 0});
        Box& b = scene->addBox();
        b.setPosition({2, 0, 0});
        showView();
        const QImage img = frame();
        for (const QPoint at : {project({-2, -1, 0}), project({2, -0.5f, 0})}) {
            const QRgb c = img.pixel(at);
            QVERIFY2(!isWhite(c) && near(qRed(c), qGreen(c), 3) && near(qGreen(c), qBlue(c), 3), qPrintable(describe(c)));
        }
        QVERIFY(isWhite(img.pixel(project({0, 0, 0}))));
    }

    void backFaceCulling_data() {
        QTest::addColumn<bool>("cull");
        QTest::addColumn<bool>("fromBehind");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("front, culling off") << false << false << true;
        QTest::newRow("back, culling off") << false << true << true;
        QTest::newRow("front, culling on") << true << false << true;
        QTest::newRow("back, culling on") << true << true << false;
    }
    void backFaceCulling() {
        QFETCH(bool, cull);
        QFETCH(bool, fromBehind);
        QFETCH(bool, drawn);
        redTriangle();
        // An outline keeps its far side whatever the setting.
        Sphere& s = scene->addSphere();
        s.setRadius(0.5f);
        s.setPosition({3.5f, 0, 0});
        s.setMaterial(Material::redWireframe());
        if (fromBehind) scene->camera().setPosition({0, 10, 0});
        scene->setLight([&] {
            Light l;
            l.position = scene->camera().position() * 5;
            return l;
        }());
        showView();
        view->setCullBackFaces(cull);
        const QImage img = frame();
        QCOMPARE(isRed(img.pixel(project({0, 0, -0.5f}))), drawn);
        const int lines = countPixels(img, isOutline);
        view->setCullBackFaces(!cull);
        QCOMPARE(countPixels(frame(), isOutline), lines);
    }

    void cameraFollowsItsTargetItem() {
        Sphere& s = scene->addSphere();
        s.setRadius(0.5f);
        s.setPosition({3, 0, 1});
        scene->camera().setTarget(&s);
        showView();
        auto middleIsSphere = [&] { return !isWhite(frame().pixel(kSize / 2, kSize / 2)); };
        QVERIFY(middleIsSphere());
        s.setPosition({-2, 5, 0});
        QCOMPARE(scene->camera().target(), QVector3D(-2, 5, 0));
        QVERIFY(middleIsSphere());
        // Gone, it leaves the camera aimed where it was.
        scene->remove(&s);
        QCOMPARE(scene->camera().targetItem(), nullptr);
        QCOMPARE(scene->camera().target(), QVector3D(-2, 5, 0));
        QVERIFY(!middleIsSphere());
    }

    void changesAreGatheredIntoOneSignal() {
        int signals_ = 0;
        connect(scene.get(), &Scene::changed, this, [&] { ++signals_; });
        Mesh& m = scene->addMesh();
        for (int i = 0; i < 3000; ++i) m.appendVertex({float(i % 7), 0, float(i % 5)}, {0, -1, 0}, Qt::red);
        scene->camera().setDistance(20);
        QCOMPARE(signals_, 0);
        QCoreApplication::processEvents();
        QCOMPARE(signals_, 1);
        m.setVisible(false);
        QCoreApplication::processEvents();
        QCOMPARE(signals_, 2);
    }

    void redrawsOnChangeOnly() {
        Mesh& m = redTriangle();
        showView();
        int frames = 0;
        connect(view.get(), &QOpenGLWidget::frameSwapped, this, [&] { ++frames; });
        QTest::qWait(100);
        frames = 0;
        // Idle: no frame at all.
        QTest::qWait(200);
        QCOMPARE(frames, 0);
        m.fillColour(Qt::blue);
        QTRY_VERIFY(frames >= 1);
        QVERIFY(frames <= 2);
        const int after = frames;
        QTest::qWait(200);
        QCOMPARE(frames, after);
    }

    void backgroundColour() {
        showView();
        view->setBackground(QColor(10, 20, 200));
        const QRgb c = frame().pixel(5, 5);
        QVERIFY2(near(qRed(c), 10, 2) && near(qGreen(c), 20, 2) && near(qBlue(c), 200, 2), qPrintable(describe(c)));
    }

    void antialiasingSwitchedWhileShown() {
        redTriangle(3);
        showView();
        const QPoint centre = project({0, 0, -0.5f});
        // Pixels that mix the triangle's red with the white around it.
        auto blended = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 40 && qGreen(c) < 215; };
        const SceneView::Antialiasing modes[] = {
            SceneView::Antialiasing::None,          SceneView::Antialiasing::Multisample2x,
            SceneView::Antialiasing::DriverDefault, SceneView::Antialiasing::None,
            SceneView::Antialiasing::Multisample2x,
        };
        for (const auto mode : modes) {
            view->setAntialiasing(mode);
            const QImage img = frame();
            QCOMPARE(view->lastGlError(), 0u);
            QVERIFY(isRed(img.pixel(centre)));
            QVERIFY(isWhite(img.pixel(3, 3)));
            int mixed = 0;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) mixed += blended(img.pixel(x, y));
            if (mode == SceneView::Antialiasing::Multisample2x) {
                QVERIFY(view->renderedSamples() >= 2);
                QVERIFY2(mixed > 20, qPrintable(QString::number(mixed)));
            } else if (mode == SceneView::Antialiasing::None) {
                QCOMPARE(view->renderedSamples(), 0);
                QCOMPARE(mixed, 0);
            }
        }
        // The view keeps drawing after a resize with the multisampled buffer in use.
        view->resize(kSize + 40, kSize);
        QVERIFY(isRed(view->grabFramebuffer().pixel(kSize / 2 + 20, centre.y())));
    }

    void wheelChangesNothing() {
        redTriangle();
        showView();
        const QImage before = frame();
        const QVector3D position = scene->camera().position();
        for (int delta : {120, -120, 480}) {
            QWheelEvent wheel(QPointF(100, 100), view->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view.get(), &wheel);
        }
        QCOMPARE(scene->camera().position(), position);
        QCOMPARE(frame(), before);
    }

    void dragsOrbitAndZoom() {
        redTriangle();
        showView();
        Camera& cam = scene->camera();
        const float distance = cam.distance();

        // Two pixels up with the right button: 10 % farther, same direction.
        QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(50, 50));
        QTest::mouseMove(view.get(), QPoint(50, 48));
        QCOMPARE(qRound(cam.distance() * 1000), qRound(distance * 1.1f * 1000));
        QVERIFY(std::abs(cam.position().x()) < 1e-4f && std::abs(cam.position().z()) < 1e-4f);
        QTest::mouseRelease(view.get(), Qt::RightButton, {}, QPoint(50, 48));

        // Ninety pixels right with the left button: a quarter turn clockwise seen from above,
        // at the same distance; the triangle is then seen edge on and disappears.
        const float before = cam.distance();
        QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(10, 50));
        QTest::mouseMove(view.get(), QPoint(100, 50));
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(100, 50));
        QVERIFY(std::abs(cam.distance() - before) < 1e-3f);
        QVERIFY2(cam.position().x() < -before + 1e-2f, qPrintable(QString::number(cam.position().x())));
        QCOMPARE(countPixels(frame(), isRed), 0);
    }

    void installedDriverGetsTheMouse() {
        struct Recorder : CameraDriver {
            QString log;
            void press(Camera&, QPoint at, Qt::MouseButton) override { log += QStringLiteral("p%1 ").arg(at.x()); }
            void release(Camera&, QPoint at, Qt::MouseButton) override { log += QStringLiteral("r%1 ").arg(at.x()); }
            void move(Camera&, QPoint at, Qt::MouseButtons held) override {
                log += QStringLiteral("m%1%2 ").arg(at.x()).arg(held & Qt::LeftButton ? "L" : "");
            }
        };
        showView();
        auto recorder = std::make_shared<Recorder>();
        view->setCameraDriver(recorder);
        QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(view.get(), QPoint(7, 5));
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(7, 5));
        QCOMPARE(recorder->log, QStringLiteral("p5 m7L r7 "));
    }

    void clipPlanesFollowTheScene_data() {
        QTest::addColumn<float>("distance");
        QTest::addColumn<float>("size");
        QTest::addColumn<float>("depthOfView");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("small and near") << 0.05f << 0.02f << 10000.f << true;
        QTest::newRow("large and far") << 30000.f << 10000.f << 0.f << true;
        QTest::newRow("beyond the depth of view") << 12000.f << 1000.f << 10000.f << false;
    }
    void clipPlanesFollowTheScene() {
        QFETCH(float, distance);
        QFETCH(float, size);
        QFETCH(float, depthOfView);
        QFETCH(bool, drawn);
        // A large backdrop far behind must not push the near plane past a small model.
        Mesh& back = scene->addMesh();
        back.setTriangles(trianglePositions(size), facingCamera(3), solid(3, 0, 0, 1));
        back.setPosition({size * 0.3f, 0, size * 0.5f});
        redTriangle(size / 4);
        scene->camera().setPosition({0, -distance, 0});
        scene->camera().setDepthOfView(depthOfView);
        showView();
        const QRgb c = frame().pixel(project({0, 0, -size / 12}));
        QCOMPARE(isRed(c), drawn);
    }

    void viewsGiveBackTheirGlObjects() {
        const int before = SceneView::liveGlObjects();
        Mesh& m = redTriangle();
        Sphere& s = scene->addSphere();
        s.setMaterial(Material::redWireframe());
        scene->addBox().setPosition({3, 0, 0});
        showView();
        view->setAntialiasing(SceneView::Antialiasing::Multisample2x);
        frame();
        QCOMPARE(view->lastGlError(), 0u);
        const int whileShown = SceneView::liveGlObjects();
        // Three mesh arrays; the shared box and sphere, each a vertex, an index and an outline
        // buffer; a program each for the coloured mesh, the outline and the plain box; and
        // the multisampled buffer.
        QCOMPARE(whileShown - before, 3 + 6 + 3 + 1);

        // A mesh that leaves the scene takes its buffers with it at the next frame.
        scene->remove(&m);
        frame();
        QCOMPARE(SceneView::liveGlObjects(), whileShown - 3);

        view.reset();
        QCOMPARE(SceneView::liveGlObjects(), before);

        // A second view of the same scene starts from nothing and draws as the first did.
        redTriangle();
        showView();
        const QImage img = frame();
        QCOMPARE(view->lastGlError(), 0u);
        QVERIFY(isRed(img.pixel(project({0, 0, -0.5f}))));
        view.reset();
        QCOMPARE(SceneView::liveGlObjects(), before);
    }

    void movedToAnotherWindow() {
        const int before = SceneView::liveGlObjects();
        redTriangle();
        showView();
        view->setAntialiasing(SceneView::Antialiasing::Multisample2x);
        QVERIFY(isRed(frame().pixel(project({0, 0, -0.5f}))));
        const int shown = SceneView::liveGlObjects();

        // A new top-level window means a new context: the old one's objects go with it.
        QWidget window;
        window.resize(kSize, kSize);
        view->setParent(&window);
        view->move(0, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage img = frame();
        QCOMPARE(view->lastGlError(), 0u);
        QVERIFY(isRed(img.pixel(project({0, 0, -0.5f}))));
        QCOMPARE(SceneView::liveGlObjects(), shown);
        view->setParent(nullptr);
        view.reset();
        QCOMPARE(SceneView::liveGlObjects(), before);
    }

    void sceneGoingFirstLeavesABlankView() {
        redTriangle();
        showView();
        scene.reset();
        const QImage img = frame();
        QVERIFY(isWhite(img.pixel(kSize / 2, kSize / 2)));
    }
};

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(SceneView::surfaceFormat());
    QApplication app(argc, argv);
    SceneViewGlTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "scene_view_gl_test.moc"
