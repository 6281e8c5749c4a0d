// The model view with a 200 000-triangle model in 20 parts: one full redraw, and a part
// hidden or painted followed by the redraw that shows it, with and without antialiasing and
// back-face culling. Each figure is one frame finished
// on the GL (glFinish), without the window's composition; the CPU time is the whole
// process's, the software rasteriser's threads included, which a busy machine disturbs less
// than the wall-clock time. Needs an X server with GL:
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' ./bench/varmelo_scene_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "gui/scene/scene.h"
#include "gui/scene/scene_view.h"

using namespace varmelo::gui::scene;

namespace {

constexpr int kTriangles = 200000;
constexpr int kParts = 20;

class BenchView : public SceneView {
public:
    using SceneView::SceneView;
    void frame() {
        makeCurrent();
        paintGL();
        context()->functions()->glFinish();
        doneCurrent();
    }
};

// A bumpy ball of radius about 50 cut into bands, each band one part, flat shaded. As the
// model view draws a model (`indexed`): each band's grid points stored once, an index list
// over them, the faces' normals left to the shader and the silver as the material; or as a
// plain list of three entries a triangle with a normal and a colour each.
void buildModel(Scene& scene, std::vector<Mesh*>& parts, bool indexed) {
    const int perPart = kTriangles / kParts;
    const int cols = 100;
    const int rows = kTriangles / (2 * cols);
    const int rowsPerPart = perPart / (2 * cols);
    auto point = [&](int r, int c) {
        const double pitch = std::numbers::pi * (r + 0.5) / (rows + 1);
        const double turn = 2 * std::numbers::pi * c / cols;
        const double radius = 50 + 2 * std::sin(7 * turn) * std::sin(5 * pitch);
        return QVector3D(float(radius * std::sin(pitch) * std::cos(turn)),
                         float(radius * std::sin(pitch) * std::sin(turn)), float(radius * std::cos(pitch)));
    };
    if (indexed) {
        Material silver;
        silver.ambient = silver.diffuse = {0.75f, 0.75f, 0.75f, 1};
        for (int first = 0; first < rows; first += rowsPerPart) {
            std::vector<float> pos;
            std::vector<std::uint16_t> idx;
            for (int r = first; r <= first + rowsPerPart; ++r)
                for (int c = 0; c <= cols; ++c) {
                    const QVector3D p = point(r, c);
                    pos.insert(pos.end(), {p.x(), p.y(), p.z()});
                }
            auto at = [&](int r, int c) { return std::uint16_t((r - first) * (cols + 1) + c); };
            for (int r = first; r < first + rowsPerPart; ++r)
                for (int c = 0; c < cols; ++c)
                    idx.insert(idx.end(),
                               {at(r, c), at(r + 1, c), at(r, c + 1), at(r, c + 1), at(r + 1, c), at(r + 1, c + 1)});
            Mesh& m = scene.addMesh();
            m.setVertexMode(Mesh::VertexMode::PositionNormal);
            m.setMaterial(silver);
            m.setIndexedTriangles(std::move(pos), {}, std::move(idx));
            parts.push_back(&m);
        }
        return;
    }
    std::vector<float> pos, nrm, col;
    int done = 0;
    auto flush = [&] {
        Mesh& m = scene.addMesh();
        m.setTriangles(std::move(pos), std::move(nrm), std::move(col));
        parts.push_back(&m);
        pos = {};
        nrm = {};
        col = {};
    };
    auto triangle = [&](QVector3D a, QVector3D b, QVector3D c) {
        const QVector3D n = QVector3D::normal(a, b, c);
        for (const QVector3D& v : {a, b, c}) {
            pos.insert(pos.end(), {v.x(), v.y(), v.z()});
            nrm.insert(nrm.end(), {n.x(), n.y(), n.z()});
            col.insert(col.end(), {0.75f, 0.75f, 0.75f, 1});
        }
        if (++done % perPart == 0) flush();
    };
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const QVector3D a = point(r, c), b = point(r, c + 1), d = point(r + 1, c), e = point(r + 1, c + 1);
            triangle(a, d, b);
            triangle(b, d, e);
        }
    }
    if (!pos.empty()) flush();
}

struct Fixture {
    Scene scene;
    std::unique_ptr<BenchView> view;
    std::vector<Mesh*> parts;

    explicit Fixture(const benchmark::State& state, bool indexed = true) {
        const auto aa = state.range(0) ? SceneView::Antialiasing::Multisample2x : SceneView::Antialiasing::None;
        buildModel(scene, parts, indexed);
        scene.camera().setPosition({300, 150, 100});
        view = std::make_unique<BenchView>(scene);
        view->resize(640, 480);
        view->setAntialiasing(aa);
        view->setCullBackFaces(state.range(1) != 0);
        view->show();
        QApplication::processEvents();
        view->frame();  // uploads the arrays once
    }
};

void BM_Redraw(benchmark::State& state) {
    Fixture f(state);
    for (auto _ : state) f.view->frame();
    state.counters["samples"] = f.view->renderedSamples();
}

// The floor under BM_Redraw: the same triangles seen by the same camera, as one buffer drawn
// with one call by the plainest shader there is, into the same buffers; no renderer at all.
class FloorView : public QOpenGLWidget {
public:
    FloorView(std::vector<float> positions, QMatrix4x4 transform, bool antialiased, bool cull)
        : positions_(std::move(positions)), transform_(transform), antialiased_(antialiased), cull_(cull) {}
    ~FloorView() override {
        makeCurrent();
        buffer_.destroy();
        multisample_.reset();
        doneCurrent();
    }
    void frame() {
        makeCurrent();
        paintGL();
        context()->functions()->glFinish();
        doneCurrent();
    }

protected:
    void initializeGL() override {
        program_.addShaderFromSourceCode(QOpenGLShader::Vertex,
                                         "#version 120\n"
                                         "attribute vec3 position;\n"
                                         "uniform mat4 transform;\n"
                                         "void main() { gl_Position = transform * vec4(position, 1.0); }\n");
        program_.addShaderFromSourceCode(QOpenGLShader::Fragment,
                                         "#version 120\nvoid main() { gl_FragColor = vec4(0.75, 0.75, 0.75, 1.0); }\n");
        program_.link();
        buffer_.create();
        buffer_.bind();
        buffer_.allocate(positions_.data(), int(positions_.size() * sizeof(float)));
        if (antialiased_) {
            QOpenGLFramebufferObjectFormat format;
            format.setSamples(2);
            format.setAttachment(QOpenGLFramebufferObject::Depth);
            multisample_ = std::make_unique<QOpenGLFramebufferObject>(size(), format);
        }
    }
    void paintGL() override {
        QOpenGLFunctions* f = context()->functions();
        if (multisample_) multisample_->bind();
        f->glViewport(0, 0, width(), height());
        f->glClearColor(1, 1, 1, 1);
        f->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        f->glEnable(GL_DEPTH_TEST);
        if (cull_) f->glEnable(GL_CULL_FACE);
        else f->glDisable(GL_CULL_FACE);
        program_.bind();
        program_.setUniformValue("transform", transform_);
        buffer_.bind();
        program_.enableAttributeArray("position");
        program_.setAttributeBuffer("position", GL_FLOAT, 0, 3);
        f->glDrawArrays(GL_TRIANGLES, 0, GLsizei(positions_.size() / 3));
        program_.disableAttributeArray("position");
        buffer_.release();
        program_.release();
        if (multisample_) {
            QOpenGLFramebufferObject::blitFramebuffer(nullptr, QRect(QPoint(), size()), multisample_.get(),
                                                      QRect(QPoint(), size()), GL_COLOR_BUFFER_BIT, GL_NEAREST);
        }
    }

private:
    std::vector<float> positions_;
    QMatrix4x4 transform_;
    bool antialiased_;
    bool cull_;
    QOpenGLShaderProgram program_;
    QOpenGLBuffer buffer_{QOpenGLBuffer::VertexBuffer};
    std::unique_ptr<QOpenGLFramebufferObject> multisample_;
};

void BM_RedrawFloor(benchmark::State& state) {
    Scene scene;
    std::vector<Mesh*> parts;
    buildModel(scene, parts, false);
    scene.camera().setPosition({300, 150, 100});
    std::vector<float> positions;
    for (const Mesh* m : parts) positions.insert(positions.end(), m->positions().begin(), m->positions().end());
    QVector3D centre;
    float radius = 1;
    scene.bounds(centre, radius);
    const QMatrix4x4 transform =
        scene.camera().projectionMatrix(640, 480, centre, radius) * scene.camera().viewMatrix();
    FloorView view(std::move(positions), transform, state.range(0) != 0, state.range(1) != 0);
    view.resize(640, 480);
    view.show();
    QApplication::processEvents();
    view.frame();
    for (auto _ : state) view.frame();
}

// The same frame with every part hidden: clearing, and for 2x the copy onto the window.
void BM_RedrawNothingShown(benchmark::State& state) {
    Fixture f(state);
    for (Mesh* m : f.parts) m->setVisible(false);
    for (auto _ : state) f.view->frame();
}

void BM_TogglePartVisibility(benchmark::State& state) {
    Fixture f(state);
    bool shown = true;
    for (auto _ : state) {
        shown = !shown;
        f.parts[3]->setVisible(shown);
        f.view->frame();
    }
}

void BM_PaintPartRed(benchmark::State& state) {
    Fixture f(state);
    bool red = false;
    for (auto _ : state) {
        red = !red;
        if (red) f.parts[3]->fillColour(Qt::red);
        else f.parts[3]->clearFillColour();
        f.view->frame();
    }
}

// New per-vertex colours for one part: the colour array goes to the GL again.
void BM_RecolourPartVertices(benchmark::State& state) {
    Fixture f(state, false);
    const std::size_t values = f.parts[3]->colours().size();
    bool red = false;
    for (auto _ : state) {
        red = !red;
        std::vector<float> c(values);
        for (std::size_t i = 0; i < values; i += 4) {
            c[i] = 1;
            c[i + 1] = c[i + 2] = red ? 0.f : 0.75f;
            c[i + 3] = 1;
        }
        f.parts[3]->setColours(std::move(c));
        f.view->frame();
    }
}

// Arguments: antialiasing (0 none, 1 for 2x) and back-face culling (0 off, 1 on).
void variants(benchmark::internal::Benchmark* b) {
    b->ArgNames({"aa", "cull"});
    b->Args({0, 0})->Args({1, 0})->Args({0, 1});
}

// Every part emptied and filled again entry by entry, as a page that rebuilds its vertex
// lists on each click would do: the cost that fillColour() and setVisible() avoid.
void BM_RebuildAllByAppending(benchmark::State& state) {
    Fixture f(state, false);
    std::vector<std::vector<float>> pos, nrm;
    for (Mesh* m : f.parts) {
        pos.push_back(m->positions());
        nrm.push_back(m->normals());
    }
    for (auto _ : state) {
        for (std::size_t p = 0; p < f.parts.size(); ++p) {
            Mesh& m = *f.parts[p];
            m.clear();
            const QColor colour = p == 3 ? QColor(Qt::red) : QColor(192, 192, 192);
            for (std::size_t i = 0; i < pos[p].size(); i += 3)
                m.appendVertex({pos[p][i], pos[p][i + 1], pos[p][i + 2]},
                               {nrm[p][i], nrm[p][i + 1], nrm[p][i + 2]}, colour);
        }
        f.view->frame();
    }
}

}  // namespace

BENCHMARK(BM_Redraw)->Apply(variants)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RedrawFloor)->Apply(variants)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RedrawNothingShown)->Apply(variants)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_TogglePartVisibility)->Apply(variants)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_PaintPartRed)->Apply(variants)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RecolourPartVertices)->Apply(variants)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_RebuildAllByAppending)
    ->Args({0, 0})
    ->ArgNames({"aa", "cull"})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

int main(int argc, char** argv) {
    QSurfaceFormat::setDefaultFormat(SceneView::surfaceFormat());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
