#include "support/permissions.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

namespace testing_support {

namespace {
constexpr uid_t kNobody = 65534;
}

PermissionSandbox::PermissionSandbox(const std::string& folder) {
    asRoot_ = ::geteuid() == 0;
    if (!asRoot_) return;
    std::error_code ec;
    available_ = ::chown(folder.c_str(), kNobody, kNobody) == 0;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         available_ && !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        available_ = ::lchown(it->path().c_str(), kNobody, kNobody) == 0;
}

int PermissionSandbox::run(const std::function<int()>& fn) const {
    if (!asRoot_) return fn();
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid < 0) return 99;
    if (pid == 0) {
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(98);
        int code = 97;
        try {
            code = fn();
        } catch (...) {
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return 99;
    return WEXITSTATUS(status);
}

}  // namespace testing_support
