#include "support/read_model.h"

#include <utility>

namespace testing_support {

varmelo::DffClump readClump(std::vector<uint8_t> bytes) {
    varmelo::EntryReader r{std::move(bytes)};
    return varmelo::ReadDffClump(r);
}

}  // namespace testing_support
