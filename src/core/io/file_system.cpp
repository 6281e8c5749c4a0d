#include "core/io/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/io/errors.h"
#include "core/io/write_faults.h"

namespace varmelo {

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

uint64_t fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throwErrno(errno);
    return uint64_t(st.st_size);
}

void renameFile(const std::string& from, const std::string& to) {
    write_faults::beforeWriteStep();
    if (std::rename(from.c_str(), to.c_str()) != 0) throwErrno(errno);
    syncDirectoryOf(to);
}

void removeFile(const std::string& path) {
    write_faults::beforeWriteStep();
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throwErrno(errno);
}

void keepMode(const std::string& from, const std::string& to) noexcept {
    struct stat st {};
    if (::stat(from.c_str(), &st) == 0) ::chmod(to.c_str(), st.st_mode & 07777);
}

void removeFileQuietly(const std::string& path) noexcept { ::unlink(path.c_str()); }

void requireWritable(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throwErrno(errno);
    ::close(fd);
}

void syncDirectoryOf(const std::string& path) noexcept {
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string fileNameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string extensionOf(const std::string& path) {
    std::string name = fileNameOf(path);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string replaceExtension(const std::string& path, const std::string& ext) {
    auto slash = path.find_last_of('/');
    auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ext;
    return path.substr(0, dot) + ext;
}

std::string privateTempFolder() {
    std::string base;
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run && *run && directoryExists(run)) {
        base = std::string(run) + "/varmelo";
    } else {
        const char* tmp = std::getenv("TMPDIR");
        base = std::string(tmp && *tmp ? tmp : "/tmp") + "/varmelo-" + std::to_string(::getuid());
    }
    if (::mkdir(base.c_str(), 0700) != 0 && errno != EEXIST) throwErrno(errno);
    struct stat st {};
    if (::lstat(base.c_str(), &st) != 0) throwErrno(errno);
    // Someone else's folder (or a link planted there) must not receive our copies.
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) throwErrno(EACCES);
    if ((st.st_mode & 0077) != 0 && ::chmod(base.c_str(), 0700) != 0) throwErrno(errno);
    return base + "/";
}

}  // namespace varmelo
