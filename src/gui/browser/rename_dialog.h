#pragma once
// frm2, the rename dialog: one line for the new name, at most 24 characters (what an IMG
// directory record holds), only characters that Windows-1251 can store.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace varmelo::gui {

class RenameDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 24;

    explicit RenameDialog(QWidget* parent = nullptr);

    void setName(const QString& name);
    QString name() const;
    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_;
};

}  // namespace varmelo::gui
