#include "gui/browser/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/browser/cp1251_text.h"
#include "gui/browser/cp1251_validator.h"

namespace varmelo::gui {

FindDialog::FindDialog(const QString& objectName, QWidget* parent) : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Найти"));
    setModal(false);
    setSizeGripEnabled(false);

    auto* label = new QLabel(QStringLiteral("Что:"), this);
    label->setObjectName(QStringLiteral("FindWhat"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("FindText"));
    text_->setValidator(new Cp1251Validator(text_));
    label->setBuddy(text_);
    wholeWord_ = new QCheckBox(QStringLiteral("Только слово целиком"), this);
    wholeWord_->setObjectName(QStringLiteral("WholeWord"));
    matchCase_ = new QCheckBox(QStringLiteral("С учетом регистра"), this);
    matchCase_->setObjectName(QStringLiteral("MatchCase"));

    find_ = new QPushButton(QStringLiteral("Найти далее"), this);
    find_->setObjectName(QStringLiteral("FindButton"));
    find_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1);
    grid->addWidget(wholeWord_, 1, 0, 1, 2);
    grid->addWidget(matchCase_, 2, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(find_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);

    connect(find_, &QPushButton::clicked, this, &FindDialog::findRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString FindDialog::text() const { return text_->text(); }

void FindDialog::setText(const QString& text) { text_->setText(text); }

std::string FindDialog::maskText() const { return toCp1251(text_->text()).value_or(std::string()); }

SearchOptions FindDialog::options() const {
    SearchOptions o;
    o.wholeWord = wholeWord_->isChecked();
    o.matchCase = matchCase_->isChecked();
    return o;
}

void FindDialog::setOptions(SearchOptions options) {
    wholeWord_->setChecked(options.wholeWord);
    matchCase_->setChecked(options.matchCase);
}

void FindDialog::present() {
    show();
    raise();
    activateWindow();
    text_->setFocus();
    text_->selectAll();
}

}  // namespace varmelo::gui
