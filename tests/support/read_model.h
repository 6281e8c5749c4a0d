#pragma once
// A model read from bytes held in memory, as the model tests need it again and again.
#include <cstdint>
#include <vector>

#include "core/model/dff_reader.h"

namespace testing_support {

varmelo::DffClump readClump(std::vector<uint8_t> bytes);

}  // namespace testing_support
