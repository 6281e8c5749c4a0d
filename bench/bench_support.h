#pragma once
// Shared set-up of the archive benchmarks: a scratch folder removed afterwards, the archive
// size from VARMELO_BENCH_MB (default 1024), a streaming generator of scattered archives
// (never the whole archive in memory, so the peak RSS counter measures the code under test),
// and the copies the writers are compared against: a 1 MiB block copy, and the system's own
// tools (`cp`, `tar`) run as programs.
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench_support {

inline uint64_t archiveBytes() {
    const char* mb = std::getenv("VARMELO_BENCH_MB");
    long v = mb ? std::atol(mb) : 1024;
    return uint64_t(v > 0 ? v : 1024) << 20;
}

inline double maxRssMiB() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

class ScratchDir {
public:
    ScratchDir() {
        const char* base = std::getenv("VARMELO_BENCH_DIR");
        std::string tmpl = std::string(base && *base ? base : "/var/tmp") + "/varmelo-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void put32(uint8_t* p, uint32_t v) {
    for (int k = 0; k < 4; ++k) p[k] = uint8_t(v >> (8 * k));
}

// A VER2 (v2) or two-file archive of about `bytes` of entry data, entries of 1 to 128
// sectors whose data lies in the file in an order unrelated to the directory's, with
// unreferenced gaps between them, as an archive edited for a long time looks.
// Returns the number of entries.
inline size_t writeScatteredArchive(const std::string& img, bool v2, uint64_t bytes, uint32_t seed = 1) {
    std::mt19937 rng(seed);
    std::vector<uint32_t> sizes;
    for (uint64_t total = 0; total < bytes;) {
        uint32_t s = 1 + rng() % 128;
        sizes.push_back(s);
        total += uint64_t(s) * 2048;
    }
    const size_t n = sizes.size();
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t(0));
    std::shuffle(order.begin(), order.end(), rng);
    uint64_t dirEnd = v2 ? 8 + 32 * uint64_t(n) : 0;
    uint32_t next = uint32_t((dirEnd + 2047) / 2048);
    std::vector<uint32_t> offsets(n);
    for (size_t i : order) {
        offsets[i] = next;
        next += sizes[i] + (rng() % 4 == 0 ? 1 + rng() % 8 : 0);  // gaps left by edits
    }
    int fd = ::open(img.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + img);
    std::vector<uint8_t> dir(32 * n, 0);
    for (size_t i = 0; i < n; ++i) {
        put32(&dir[32 * i], offsets[i]);
        put32(&dir[32 * i + 4], sizes[i]);
        std::string name = "entry" + std::to_string(i) + ".dff";
        std::memcpy(&dir[32 * i + 8], name.data(), std::min<size_t>(name.size(), 24));
    }
    std::vector<uint8_t> block(128 * 2048);
    for (size_t i : order) {
        for (auto& b : block) b = uint8_t(rng());
        size_t len = size_t(sizes[i]) * 2048;
        if (::pwrite(fd, block.data(), len, off_t(uint64_t(offsets[i]) * 2048)) != ssize_t(len))
            throw std::runtime_error("write failed");
    }
    if (::ftruncate(fd, off_t(uint64_t(next) * 2048)) != 0) throw std::runtime_error("ftruncate failed");
    if (v2) {
        uint8_t head[8] = {'V', 'E', 'R', '2', 0, 0, 0, 0};
        put32(head + 4, uint32_t(n));
        if (::pwrite(fd, head, 8, 0) != 8 || ::pwrite(fd, dir.data(), dir.size(), 8) != ssize_t(dir.size()))
            throw std::runtime_error("write failed");
    } else {
        std::string dirPath = img.substr(0, img.find_last_of('.')) + ".dir";
        int dfd = ::open(dirPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (dfd < 0 || ::write(dfd, dir.data(), dir.size()) != ssize_t(dir.size())) throw std::runtime_error("dir");
        ::close(dfd);
    }
    // On disk before anything is timed, so its writeback does not compete with the code measured.
    ::fsync(fd);
    ::close(fd);
    return n;
}

// The baseline: a plain copy through a 1 MiB buffer, fsynced like the rebuilt archive.
inline uint64_t copyFile(const std::string& from, const std::string& to, bool sync) {
    int in = ::open(from.c_str(), O_RDONLY);
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0) throw std::runtime_error("copy open failed");
    std::vector<uint8_t> buf(1 << 20);
    uint64_t total = 0;
    for (;;) {
        ssize_t r = ::read(in, buf.data(), buf.size());
        if (r <= 0) break;
        if (::write(out, buf.data(), size_t(r)) != r) throw std::runtime_error("copy write failed");
        total += uint64_t(r);
    }
    if (sync) ::fsync(out);
    ::close(in);
    ::close(out);
    return total;
}

inline uint64_t fileBytes(const std::string& path) { return std::filesystem::file_size(path); }

// Runs a program found on PATH and waits for it; throws unless it exits with 0.
inline void runProgram(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot run " + args[0]);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed");
}

// The system's `cp` of the file, then an fsync of the copy: what a user would do to have a
// second copy safely on disk.
inline uint64_t cpAndSync(const std::string& from, const std::string& to) {
    runProgram({"cp", from, to});
    int fd = ::open(to.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("fsync of the copy failed");
    ::close(fd);
    return fileBytes(to);
}

}  // namespace bench_support
