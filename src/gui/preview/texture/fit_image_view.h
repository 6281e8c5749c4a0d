#pragma once
// Image1: a picture scaled to the largest size that fits, aspect kept, centred; or, when
// there is no picture, a line of text saying why.
#include <QImage>
#include <QString>
#include <QWidget>

namespace varmelo::gui {

class FitImageView : public QWidget {
    Q_OBJECT
public:
    explicit FitImageView(QWidget* parent = nullptr);

    void setPicture(const QImage& img);
    void setStatus(const QString& text);  // also drops the picture
    const QImage& picture() const { return picture_; }
    const QString& status() const { return status_; }
    // Where the picture is drawn at the current size.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage picture_;
    QString status_;
};

}  // namespace varmelo::gui
