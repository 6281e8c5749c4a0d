#pragma once
// Makes file permission bits count in tests, also when the tests run as root (where chmod
// 0444 denies nothing): as root the files under a folder are handed to an unprivileged user
// and the code under test runs in a child process that has become that user.
#include <functional>
#include <string>

namespace testing_support {

class PermissionSandbox {
public:
    explicit PermissionSandbox(const std::string& folder);
    // False when permission bits cannot be made to count (root that cannot drop privileges).
    bool available() const { return available_; }
    // Runs fn with permissions enforced; returns its result, or 99 when the child failed.
    int run(const std::function<int()>& fn) const;

private:
    bool asRoot_ = false;
    bool available_ = true;
};

}  // namespace testing_support
