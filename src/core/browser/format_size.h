#pragma once
#include <cstdint>
#include <string>

#include "core/settings/messages.h"

namespace varmelo {

// Byte count to text: "%d байт" below 1024, then "%.2f КБ" / "%.2f МБ" / "%.2f ГБ"
// (messages 0 to 3) with the given decimal separator.
std::string FormatSize(uint64_t bytes, const MessageTable& messages, char decimalSeparator = '.');

}  // namespace varmelo
