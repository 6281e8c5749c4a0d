#pragma once
// The program's string formatter for message-table texts: %d, %u, %x, %.Nf, %s, %N:s
// (argument N again, 0-based), %%. Unknown or missing arguments are written as they stand
// instead of failing, so a faulty language file cannot crash a command.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace varmelo {

using FormatArg = std::variant<int64_t, double, std::string>;

std::string formatText(const std::string& fmt, const std::vector<FormatArg>& args,
                       char decimalSeparator = '.');

}  // namespace varmelo
