#include "gui/scene/scene_view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_2_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

#include "gui/scene/camera_driver.h"
#include "gui/scene/gl_objects.h"
#include "gui/scene/scene.h"
#include "gui/scene/scene_renderer.h"

namespace varmelo::gui::scene {

// Everything the view made in its GL context; dropped with the context.
struct SceneView::Gl {
    QOpenGLFunctions_2_1* f = nullptr;
    std::unique_ptr<SceneRenderer> renderer;
    std::unique_ptr<QOpenGLFramebufferObject> multisample;

    void dropMultisample() {
        if (!multisample) return;
        multisample.reset();
        --liveGlObjectCount;
    }
};

SceneView::SceneView(Scene& scene, QWidget* parent)
    : QOpenGLWidget(parent), scene_(&scene), driver_(std::make_shared<OrbitZoomDriver>()) {
    setMinimumSize(16, 16);
    connect(&scene, &Scene::changed, this, qOverload<>(&QWidget::update));
}

SceneView::~SceneView() {
    if (gl_) {
        makeCurrent();
        releaseGl();
        doneCurrent();
    }
}

QSurfaceFormat SceneView::surfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

bool SceneView::glAvailable() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

int SceneView::liveGlObjects() { return liveGlObjectCount; }

void SceneView::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void SceneView::setTwoSidedLighting(bool on) {
    twoSided_ = on;
    update();
}

void SceneView::setCullBackFaces(bool on) {
    cullBackFaces_ = on;
    update();
}

void SceneView::setAntialiasing(Antialiasing mode) {
    if (antialiasing_ == mode) return;
    antialiasing_ = mode;
    update();
}

void SceneView::setCameraDriver(std::shared_ptr<CameraDriver> driver) {
    driver_ = driver ? std::move(driver) : std::make_shared<OrbitZoomDriver>();
}

void SceneView::initializeGL() {
    // A widget moved to another window gets a new context: start from nothing again.
    if (gl_) releaseGl();
    auto* f = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_2_1>(context());
    if (!f) {
        qWarning("SceneView: no OpenGL 2.1 compatibility context; the view stays blank");
        return;
    }
    gl_ = std::make_unique<Gl>();
    gl_->f = f;
    gl_->renderer = std::make_unique<SceneRenderer>(*f);
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &SceneView::releaseGl, Qt::UniqueConnection);
}

void SceneView::releaseGl() {
    if (!gl_) return;
    // Called with the context current: from the destructor, or as the context goes away.
    gl_->renderer.reset();
    gl_->dropMultisample();
    gl_.reset();
}

void SceneView::paintGL() {
    if (!gl_) return;
    QOpenGLFunctions_2_1* f = gl_->f;
    while (f->glGetError() != GL_NO_ERROR) {
    }
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, int(std::lround(width() * dpr)));
    const int h = std::max(1, int(std::lround(height() * dpr)));

    // The multisampled buffer follows the window's size and is dropped when not in use.
    QOpenGLFramebufferObject* target = nullptr;
    if (antialiasing_ == Antialiasing::Multisample2x) {
        if (!gl_->multisample || gl_->multisample->size() != QSize(w, h)) {
            gl_->dropMultisample();
            QOpenGLFramebufferObjectFormat format;
            format.setSamples(2);
            format.setAttachment(QOpenGLFramebufferObject::Depth);
            auto fbo = std::make_unique<QOpenGLFramebufferObject>(QSize(w, h), format);
            if (fbo->isValid()) {
                gl_->multisample = std::move(fbo);
                ++liveGlObjectCount;
            }
        }
        if (gl_->multisample && gl_->multisample->bind()) target = gl_->multisample.get();
    } else {
        gl_->dropMultisample();
    }
    if (target) {
        renderedSamples_ = target->format().samples();
    } else {
        GLint samples = 0;
        f->glGetIntegerv(GL_SAMPLES, &samples);
        renderedSamples_ = antialiasing_ == Antialiasing::None ? 0 : samples;
    }

    f->glViewport(0, 0, w, h);
    if (antialiasing_ == Antialiasing::None) f->glDisable(GL_MULTISAMPLE);
    else f->glEnable(GL_MULTISAMPLE);
    f->glClearColor(float(background_.redF()), float(background_.greenF()), float(background_.blueF()), 1.0f);
    f->glDepthMask(GL_TRUE);
    f->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (const Scene* scene = scene_.data())
        gl_->renderer->render(*scene, {.twoSidedLighting = twoSided_, .cullBackFaces = cullBackFaces_}, w, h);

    if (target) {
        // Onto the window's own buffer (Qt redirects the default framebuffer to it).
        QOpenGLFramebufferObject::blitFramebuffer(nullptr, QRect(0, 0, w, h), target, QRect(0, 0, w, h),
                                                  GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    lastGlError_ = f->glGetError();
}

void SceneView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        rightPress_ = e->position().toPoint();
        rightDragged_ = false;
    }
    if (scene_) driver_->press(scene_->camera(), e->position().toPoint(), e->button());
}

void SceneView::mouseReleaseEvent(QMouseEvent* e) {
    if (scene_) driver_->release(scene_->camera(), e->position().toPoint(), e->button());
    if (e->button() == Qt::RightButton && !rightDragged_) {
        rightDragged_ = true;
        emit rightClicked(e->position().toPoint());
    }
}

void SceneView::mouseMoveEvent(QMouseEvent* e) {
    if ((e->buttons() & Qt::RightButton) &&
        (e->position().toPoint() - rightPress_).manhattanLength() >= QApplication::startDragDistance())
        rightDragged_ = true;
    if (scene_) driver_->move(scene_->camera(), e->position().toPoint(), e->buttons());
}

void SceneView::wheelEvent(QWheelEvent* e) {
    // The wheel is deliberately dead over the 3D views; taking the event keeps it from
    // scrolling whatever holds the view.
    e->accept();
}

}  // namespace varmelo::gui::scene
