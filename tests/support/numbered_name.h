#pragma once
// Names with a number in them, for tests that make many entries or files: numbered("e", 3,
// ".dff") is "e3.dff".
#include <cstddef>
#include <string>

namespace testing_support {

std::string numbered(const std::string& prefix, size_t n, const std::string& suffix = "");

}  // namespace testing_support
