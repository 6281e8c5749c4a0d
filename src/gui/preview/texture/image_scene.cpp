#include "gui/preview/texture/image_scene.h"

#include <cmath>

namespace varmelo::gui {

void ImageScene::setPicture(const QImage& img) {
    picture_ = img;
    resetCamera();
}

double ImageScene::aspect() const {
    if (picture_.isNull() || picture_.width() <= 0) return 0;
    return double(picture_.height()) / picture_.width();
}

void ImageScene::resetCamera() {
    zoom_ = kStartZoom;
    cx_ = 0;
    cy_ = 0;
    emit changed();
}

void ImageScene::setBlending(bool on) {
    if (blending_ == on) return;
    blending_ = on;
    emit changed();
}

void ImageScene::mouseMove(QPoint at, bool leftHeld, bool shift) {
    if (!leftHeld) return;
    QPoint& last = pointer_->last;
    if (shift) {
        const double root = std::sqrt(zoom_) + double(last.y() - at.y()) / 300.0;
        zoom_ = root * root;
    } else if (zoom_ > 0) {
        cx_ -= double(at.x() - last.x()) / (260.0 * zoom_);
        cy_ -= double(at.y() - last.y()) / (260.0 * zoom_);
    }
    last = at;
    emit changed();
}

}  // namespace varmelo::gui
