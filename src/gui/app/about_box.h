#pragma once
// The About box frm5: borderless, black, with the program's name, version and links, and a
// box of credits that scrolls in a loop while the box is shown.
#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace varmelo::gui {

class LinkLabel;

inline const QString kProgramAuthor = QStringLiteral("Varmelo developers");

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // `credits` gives the current credit text each time the box is shown.
    explicit AboutBox(std::function<QString()> credits, QWidget* parent = nullptr);

    QLabel* creditsLabel() const { return credits_; }
    QWidget* creditsBox() const { return creditsBox_; }
    QTimer* scrollTimer() const { return timer_; }
    int scrollOffset() const { return offset_; }

public slots:
    // One timer tick: the credits move up 2 pixels until their whole height has passed,
    // then start again.
    void scrollStep();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void rebuildCredits();

    std::function<QString()> creditsText_;
    QWidget* creditsBox_ = nullptr;
    QLabel* credits_ = nullptr;
    QTimer* timer_ = nullptr;
    int offset_ = 0;
};

}  // namespace varmelo::gui
