#include "support/numbered_name.h"

namespace testing_support {

// Appended piece by piece: a short literal put before a temporary string ("e" + to_string(n))
// makes GCC 12 at -O3 warn of overlapping copies (-Wrestrict) that cannot happen.
std::string numbered(const std::string& prefix, size_t n, const std::string& suffix) {
    std::string name = prefix;
    name += std::to_string(n);
    name += suffix;
    return name;
}

}  // namespace testing_support
