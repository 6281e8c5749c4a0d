#pragma once
// A label that behaves like a link: white, light blue and underlined under the mouse, and
// opening its target when clicked. A label without a target only changes its look.
#include <QLabel>
#include <QUrl>

namespace varmelo::gui {

inline const QColor kLinkNormal{255, 255, 255};
inline const QColor kLinkHover{0x1C, 0xBB, 0xFF};

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QUrl target, QWidget* parent = nullptr);
    const QUrl& target() const { return target_; }
    bool hovered() const { return hovered_; }

signals:
    void activated(const QUrl& target);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setHovered(bool on);
    QUrl target_;
    bool hovered_ = false;
};

}  // namespace varmelo::gui
