#include "gui/browser/rename_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/browser/cp1251_validator.h"

namespace varmelo::gui {

RenameDialog::RenameDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frm2"));
    setWindowTitle(QStringLiteral("Переименование"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    setFixedSize(269, 85);
    setSizeGripEnabled(false);

    auto* label = new QLabel(QStringLiteral("Новое имя:"), this);
    label->setObjectName(QStringLiteral("NewName1"));
    label->setGeometry(8, 8, 253, 14);

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("Edit1"));
    edit_->setMaxLength(kMaxLength);
    edit_->setValidator(new Cp1251Validator(edit_));
    edit_->setGeometry(8, 24, 253, 21);
    label->setBuddy(edit_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    ok->setGeometry(105, 54, 75, 25);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(186, 54, 75, 25);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RenameDialog::setName(const QString& name) {
    edit_->setText(name);
    edit_->selectAll();
    edit_->setFocus();
}

QString RenameDialog::name() const { return edit_->text(); }

}  // namespace varmelo::gui
