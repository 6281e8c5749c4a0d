#include "support/error_of.h"

#include <exception>

namespace testing_support {

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace testing_support
