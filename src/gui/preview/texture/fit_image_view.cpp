#include "gui/preview/texture/fit_image_view.h"

#include <QPainter>
#include <algorithm>

namespace varmelo::gui {

FitImageView::FitImageView(QWidget* parent) : QWidget(parent) { setMinimumSize(16, 16); }

void FitImageView::setPicture(const QImage& img) {
    picture_ = img;
    status_.clear();
    update();
}

void FitImageView::setStatus(const QString& text) {
    picture_ = QImage();
    status_ = text;
    update();
}

QRect FitImageView::pictureRect() const {
    if (picture_.isNull()) return {};
    const double s = std::min(double(width()) / picture_.width(), double(height()) / picture_.height());
    const int w = std::max(1, int(picture_.width() * s + 0.5));
    const int h = std::max(1, int(picture_.height() * s + 0.5));
    return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

void FitImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!picture_.isNull()) {
        const QRect r = pictureRect();
        // Enlarged textures keep their texels sharp; reduced ones are smoothed.
        p.setRenderHint(QPainter::SmoothPixmapTransform, r.width() < picture_.width());
        p.drawImage(r, picture_);
    } else if (!status_.isEmpty()) {
        p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, status_);
    }
}

}  // namespace varmelo::gui
