#include "gui/preview/texture/image_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "gui/preview/texture/image_scene.h"

namespace varmelo::gui {

namespace {
constexpr int kCheckerSquare = 16;
}

ImageView::ImageView(ImageScene& scene, QWidget* parent) : QWidget(parent), scene_(scene) {
    setMinimumSize(16, 16);
    connect(&scene_, &ImageScene::changed, this, qOverload<>(&QWidget::update));
}

QRectF ImageView::pictureRect() const {
    const double aspect = scene_.aspect();
    if (aspect <= 0) return {};
    const double m = std::max(width(), height());
    const double unit = scene_.zoom() * m;
    const double cx = width() / 2.0 - scene_.centreX() * unit;
    const double cy = height() / 2.0 - scene_.centreY() * unit;
    const double w = unit;
    const double h = unit * aspect;
    // A zoom past 0 turns the rectangle over; it is drawn the right way round all the same.
    return QRectF(cx - w / 2, cy - h / 2, w, h).normalized();
}

const QImage& ImageView::reduced(QSize size, bool opaque) {
    const QImage& src = scene_.picture();
    if (reduced_.size() != size || reducedOpaque_ != opaque || reducedSource_.cacheKey() != src.cacheKey()) {
        QImage base = opaque ? src.convertToFormat(QImage::Format_RGB32) : src;
        reduced_ = base.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        reducedSource_ = src;
        reducedOpaque_ = opaque;
    }
    return reduced_;
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int y = 0; y < height(); y += kCheckerSquare)
        for (int x = 0; x < width(); x += kCheckerSquare)
            p.fillRect(x, y, kCheckerSquare, kCheckerSquare,
                       ((x / kCheckerSquare + y / kCheckerSquare) & 1) ? QColor(192, 192, 192) : QColor(Qt::white));
    const QImage& pic = scene_.picture();
    const QRectF r = pictureRect();
    if (pic.isNull() || r.isEmpty()) return;
    const bool opaque = !scene_.blending();
    const QSize target(std::max(1, int(r.width() + 0.5)), std::max(1, int(r.height() + 0.5)));
    if (target.width() < pic.width() && target.height() < pic.height() && target.width() <= 8192) {
        p.drawImage(r.topLeft(), reduced(target, opaque));
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        if (opaque) p.drawImage(r, pic.convertToFormat(QImage::Format_RGB32));
        else p.drawImage(r, pic);
    }
}

void ImageView::mousePressEvent(QMouseEvent* e) { scene_.mouseDown(e->position().toPoint()); }

void ImageView::mouseMoveEvent(QMouseEvent* e) {
    scene_.mouseMove(e->position().toPoint(), e->buttons() & Qt::LeftButton, e->modifiers() & Qt::ShiftModifier);
}

}  // namespace varmelo::gui
