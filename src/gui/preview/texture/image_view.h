#pragma once
// The 2D view of an ImageScene: a 16-pixel checkerboard fixed to the view, the picture over
// it at the scene's zoom and centre, blended by its alpha or drawn opaque.
#include <QImage>
#include <QRectF>
#include <QWidget>

namespace varmelo::gui {

class ImageScene;

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(ImageScene& scene, QWidget* parent = nullptr);

    // Where the picture lies in view pixels.
    QRectF pictureRect() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    const QImage& reduced(QSize size, bool opaque);

    ImageScene& scene_;
    // The picture smoothed down to the size last drawn, so a reduced picture is averaged
    // rather than sampled, and is not averaged again at every repaint.
    QImage reducedSource_;
    QImage reduced_;
    bool reducedOpaque_ = false;
};

}  // namespace varmelo::gui
