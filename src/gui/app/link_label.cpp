#include "gui/app/link_label.h"

#include <QDesktopServices>
#include <QMouseEvent>

namespace varmelo::gui {

LinkLabel::LinkLabel(const QString& text, QUrl target, QWidget* parent)
    : QLabel(text, parent), target_(std::move(target)) {
    if (!target_.isEmpty()) setCursor(Qt::PointingHandCursor);
    setHovered(false);
}

void LinkLabel::setHovered(bool on) {
    hovered_ = on;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, on ? kLinkHover : kLinkNormal);
    setPalette(p);
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setHovered(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || target_.isEmpty()) return;
    emit activated(target_);
    QDesktopServices::openUrl(target_);
}

}  // namespace varmelo::gui
