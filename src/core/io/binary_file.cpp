#include "core/io/binary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/io/write_faults.h"

namespace varmelo {

namespace {

// Opens without following a link and without blocking on a pipe, then looks at what was
// opened before truncating it: only a regular file with this one name may be replaced.
int openPlain(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        int err = errno;
        if (err == ELOOP) throw UsageError("a symbolic link is in its place");
        if (err == EISDIR) throw UsageError("a folder is in its place");
        throwErrno(err);
    }
    struct stat st {};
    const char* refusal = nullptr;
    if (::fstat(fd, &st) != 0) refusal = "it cannot be examined";
    else if (!S_ISREG(st.st_mode)) refusal = "something that is not a plain file is in its place";
    else if (st.st_nlink > 1) refusal = "a file with other names (a hard link) is in its place";
    if (refusal) {
        ::close(fd);
        throw UsageError(refusal);
    }
    if (::ftruncate(fd, 0) != 0) {
        int err = errno;
        ::close(fd);
        throwErrno(err);
    }
    return fd;
}

}  // namespace

BinaryFile::BinaryFile(const std::string& path, Mode mode) : path_(path) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read: flags |= O_RDONLY; break;
    case Mode::ReadWrite: flags |= O_RDWR; break;
    case Mode::Create:
        write_faults::beforeWriteStep();
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    case Mode::CreatePlain:
        write_faults::beforeWriteStep();
        fd_ = openPlain(path);
        return;
    }
    fd_ = ::open(path.c_str(), flags, 0666);
    if (fd_ < 0) throwErrno(errno);
    if (mode != Mode::Create) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            throwErrno(EACCES);
        }
    }
}

BinaryFile::~BinaryFile() {
    if (fd_ >= 0) ::close(fd_);
}

BinaryFile::BinaryFile(BinaryFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), pos_(other.pos_), path_(std::move(other.path_)) {}

BinaryFile& BinaryFile::operator=(BinaryFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        pos_ = other.pos_;
        path_ = std::move(other.path_);
    }
    return *this;
}

uint64_t BinaryFile::size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throwErrno(errno);
    return uint64_t(st.st_size);
}

size_t BinaryFile::readSome(void* buf, size_t n) {
    auto* out = static_cast<uint8_t*>(buf);
    size_t done = 0;
    while (done < n) {
        ssize_t r = ::pread(fd_, out + done, n - done, off_t(pos_));
        if (r < 0) {
            if (errno == EINTR) continue;
            throwErrno(errno);
        }
        if (r == 0) break;
        done += size_t(r);
        pos_ += uint64_t(r);
    }
    return done;
}

void BinaryFile::readExact(void* buf, size_t n) {
    if (readSome(buf, n) != n) throwReadBeyondEnd();
}

std::vector<uint8_t> BinaryFile::readExact(size_t n) {
    std::vector<uint8_t> out(n);
    readExact(out.data(), n);
    return out;
}

uint32_t BinaryFile::readU32le() {
    uint8_t b[4];
    readExact(b, 4);
    return u32le(b);
}

uint32_t BinaryFile::readU32be() {
    uint8_t b[4];
    readExact(b, 4);
    return u32be(b);
}

void BinaryFile::writeAt(const void* buf, size_t n, uint64_t at) {
    const auto* in = static_cast<const uint8_t*>(buf);
    size_t done = 0;
    while (done < n) {
        ssize_t w = ::pwrite(fd_, in + done, n - done, off_t(at + done));
        if (w < 0) {
            if (errno == EINTR) continue;
            throwErrno(errno);
        }
        if (w == 0) throwErrno(ENOSPC);
        done += size_t(w);
    }
}

void BinaryFile::write(const void* buf, size_t n) {
    write_faults::beforeWriteStep();
    writeAt(buf, n, pos_);
    pos_ += n;
}

void BinaryFile::writeU32le(uint32_t v) {
    uint8_t b[4];
    put32le(b, v);
    write(b, 4);
}

void BinaryFile::writeZeros(uint64_t n) {
    static const uint8_t zeros[65536] = {};
    while (n > 0) {
        size_t chunk = n < sizeof zeros ? size_t(n) : sizeof zeros;
        write(zeros, chunk);
        n -= chunk;
    }
}

void BinaryFile::truncate(uint64_t size) {
    write_faults::beforeWriteStep();
    if (::ftruncate(fd_, off_t(size)) != 0) throwErrno(errno);
}

void BinaryFile::sync() {
    write_faults::beforeWriteStep();
    if (::fsync(fd_) != 0) throwErrno(errno);
}

void BinaryFile::close() {
    if (fd_ >= 0) {
        int fd = std::exchange(fd_, -1);
        if (::close(fd) != 0 && errno != EINTR) throwErrno(errno);
    }
}

}  // namespace varmelo
