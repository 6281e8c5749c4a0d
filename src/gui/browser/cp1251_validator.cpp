#include "gui/browser/cp1251_validator.h"

#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    return toCp1251(input) ? Acceptable : Invalid;
}

}  // namespace varmelo::gui
