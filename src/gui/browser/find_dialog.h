#pragma once
// A modeless find dialog: the text, "whole word" and "match case", and a find button. The
// search always runs downwards, so there is no direction choice. Each dialog keeps its text
// and options between uses.
#include <QDialog>
#include <string>

#include "core/browser/mask.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace varmelo::gui {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(const QString& objectName, QWidget* parent);

    QString text() const;
    void setText(const QString& text);
    // The text as Windows-1251 bytes (the field only accepts what the code page holds).
    std::string maskText() const;
    SearchOptions options() const;
    void setOptions(SearchOptions options);

    // Shows the dialog without blocking, or raises it when it is already open.
    void present();

    QPushButton* findButton() const { return find_; }

signals:
    void findRequested();

private:
    QLineEdit* text_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QPushButton* find_;
};

}  // namespace varmelo::gui
