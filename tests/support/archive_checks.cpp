#include "support/archive_checks.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace testing_support {

uint32_t u32At(const Bytes& b, size_t at) {
    if (at + 4 > b.size()) throw std::out_of_range("u32At");
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

Bytes recordAt(const Bytes& b, size_t at) { return slice(b, at, 32); }

Bytes expectedRecord(uint32_t offset, uint32_t size, const std::string& name) {
    Bytes r(32, 0);
    for (int k = 0; k < 4; ++k) {
        r[size_t(k)] = uint8_t(offset >> (8 * k));
        r[size_t(4 + k)] = uint8_t(size >> (8 * k));
    }
    std::memcpy(r.data() + 8, name.data(), std::min<size_t>(name.size(), 24));
    return r;
}

Bytes entrySectors(const std::string& archivePath, const varmelo::TEntryRec& e) {
    int fd = ::open(archivePath.c_str(), O_RDONLY);
    if (fd < 0) throw std::runtime_error("cannot open " + archivePath);
    Bytes out(size_t(e.Size) * 2048);
    ssize_t got = ::pread(fd, out.data(), out.size(), off_t(uint64_t(e.Offset) * 2048));
    ::close(fd);
    out.resize(got > 0 ? size_t(got) : 0);
    return out;
}

bool holdsData(const std::string& archivePath, const varmelo::TEntryRec& e, const Bytes& data) {
    Bytes s = entrySectors(archivePath, e);
    return s.size() >= data.size() && std::equal(data.begin(), data.end(), s.begin()) &&
           uint64_t(e.Size) * 2048 >= data.size() && uint64_t(e.Size) * 2048 < data.size() + 2048;
}

void writeAt(const std::string& path, uint64_t pos, const Bytes& data) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    ssize_t w = ::pwrite(fd, data.data(), data.size(), off_t(pos));
    ::close(fd);
    if (w != ssize_t(data.size())) throw std::runtime_error("cannot write " + path);
}

}  // namespace testing_support
