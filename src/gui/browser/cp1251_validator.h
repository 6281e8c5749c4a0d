#pragma once
// Accepts only text that Windows-1251 can hold, so that what the user types is exactly what
// ends up in an entry name or a search mask.
#include <QValidator>

namespace varmelo::gui {

class Cp1251Validator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace varmelo::gui
