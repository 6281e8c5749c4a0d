#pragma once
// The picture, camera and blending shared by the DDS and TGA pages: a pan or zoom made on one
// page is seen on the other, and both show the picture loaded last.
//
// Scene units: the picture is a rectangle 1 unit wide and H / W high, centred on the origin.
// One unit spans zoom x m view pixels, m being the larger side of the view; the centre is the
// scene point shown in the middle of the view (x to the right, y downwards).
#include <QImage>
#include <QObject>
#include <QPoint>
#include <memory>

#include "gui/preview/pointer_position.h"

namespace varmelo::gui {

class ImageScene : public QObject {
    Q_OBJECT
public:
    static constexpr double kStartZoom = 0.9;

    explicit ImageScene(QObject* parent = nullptr) : QObject(parent) {}

    // A new picture, the camera back at the start (blending is kept).
    void setPicture(const QImage& img);
    const QImage& picture() const { return picture_; }
    // Height of the rectangle in units (0 for an empty picture).
    double aspect() const;

    double zoom() const { return zoom_; }
    double centreX() const { return cx_; }
    double centreY() const { return cy_; }
    void resetCamera();

    bool blending() const { return blending_; }
    void setBlending(bool on);

    // The last pointer position, shared with other views when given one.
    void setPointer(std::shared_ptr<PointerPosition> pointer) { pointer_ = std::move(pointer); }
    QPoint lastPointer() const { return pointer_->last; }

    // The mouse handlers of both views.
    void mouseDown(QPoint at) { pointer_->last = at; }
    // Left button held: Shift zooms, otherwise the picture follows the pointer.
    void mouseMove(QPoint at, bool leftHeld, bool shift);

signals:
    void changed();

private:
    QImage picture_;
    double zoom_ = kStartZoom;
    double cx_ = 0;
    double cy_ = 0;
    bool blending_ = true;
    std::shared_ptr<PointerPosition> pointer_ = std::make_shared<PointerPosition>();
};

}  // namespace varmelo::gui
