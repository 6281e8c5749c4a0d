#pragma once
// The text a call throws, for tests that check the words a user is shown.
#include <functional>
#include <string>

namespace testing_support {

// what() of the exception `f` throws; "" when it throws nothing.
std::string errorOf(const std::function<void()>& f);

}  // namespace testing_support
