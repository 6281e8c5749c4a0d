#pragma once
// A window onto a Scene: the view takes the mouse, keeps the framebuffers and has its
// SceneRenderer draw the scene over a plain background. It redraws when the scene says it
// changed, never on a timer.
//
// Antialiasing is done in a multisampled framebuffer of the view's own, copied onto the
// window at the end of a frame: the window's format is fixed once it is shown, the
// framebuffer can be remade at any time.
//
// The widget needs a compatibility-profile context; surfaceFormat() is the default format to
// set before the application object exists.
#include <QColor>
#include <QOpenGLWidget>
#include <QPointer>
#include <QSurfaceFormat>
#include <memory>

#include "gui/scene/scene.h"

namespace varmelo::gui::scene {

class CameraDriver;

class SceneView : public QOpenGLWidget {
    Q_OBJECT
public:
    enum class Antialiasing {
        None,
        // Whatever the window's own buffer does.
        DriverDefault,
        // Two samples asked for; drivers may give more (llvmpipe gives four).
        Multisample2x,
    };

    explicit SceneView(Scene& scene, QWidget* parent = nullptr);
    ~SceneView() override;

    static QSurfaceFormat surfaceFormat();
    // False on the platforms where a GL widget cannot be shown at all (Qt's offscreen and
    // minimal platforms, used by widget tests and batch runs: showing one there crashes in
    // Qt). A page then puts a plain placeholder where the view would go.
    static bool glAvailable();

    Scene* scene() const { return scene_; }

    QColor background() const { return background_; }
    void setBackground(const QColor& colour);

    // Back faces lit as seen from their own side rather than left dark.
    bool twoSidedLighting() const { return twoSided_; }
    void setTwoSidedLighting(bool on);

    // Triangles seen from behind left out of opaque items: closed models draw in about half
    // the time on a software rasteriser, but a one-sided surface vanishes from its back.
    bool cullBackFaces() const { return cullBackFaces_; }
    void setCullBackFaces(bool on);

    Antialiasing antialiasing() const { return antialiasing_; }
    void setAntialiasing(Antialiasing mode);
    // Samples per pixel of the buffer the last frame was drawn into; 0 for one sample.
    int renderedSamples() const { return renderedSamples_; }

    // The driver gets the view's presses, releases and drags; the view starts with an
    // OrbitZoomDriver of its own. Null restores that default.
    void setCameraDriver(std::shared_ptr<CameraDriver> driver);
    CameraDriver& cameraDriver() const { return *driver_; }

    // The first GL error of the last frame, 0 when there was none.
    unsigned lastGlError() const { return lastGlError_; }
    // GL buffers, textures, programs and framebuffers held by all views right now: a view
    // that goes away must bring this back to where it was.
    static int liveGlObjects();

signals:
    // A right button pressed and released without a drag in between (where a page opens its
    // menu; a drag belongs to the camera driver).
    void rightClicked(QPoint at);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    struct Gl;
    void releaseGl();

    QPointer<Scene> scene_;
    QColor background_{Qt::white};
    bool twoSided_ = false;
    bool cullBackFaces_ = false;
    Antialiasing antialiasing_ = Antialiasing::DriverDefault;
    int renderedSamples_ = 0;
    unsigned lastGlError_ = 0;
    std::shared_ptr<CameraDriver> driver_;
    std::unique_ptr<Gl> gl_;
    QPoint rightPress_;
    bool rightDragged_ = true;
};

}  // namespace varmelo::gui::scene
