#include "fuzz/fuzz_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace varmelo::fuzz {

namespace {

struct ScratchFolder {
    std::string path;
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/varmelo-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::string& folder() {
    static ScratchFolder f;
    return f.path;
}

}  // namespace

std::string scratchPath(const std::string& name) { return folder() + "/" + name; }

std::string writeScratch(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = scratchPath(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0) std::abort();
    size_t done = 0;
    while (done < size) {
        const ssize_t w = ::write(fd, data + done, size - done);
        if (w <= 0) std::abort();
        done += size_t(w);
    }
    ::close(fd);
    return path;
}

}  // namespace varmelo::fuzz
