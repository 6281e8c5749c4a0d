// BinaryFile::copyFrom: the kernel's copy, and the buffer it falls back to when the kernel
// refuses or copies nothing. Whichever way, the bytes, the count and the write steps agree.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "core/io/binary_file.h"
#include "core/io/file_copy.h"
#include "core/io/write_faults.h"
#include "support/temp_dir.h"
#include "support/error_of.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// Restores the real kernel copy and disarms the fault hook, also when a check fails.
struct CopyHooksReset {
    ~CopyHooksReset() {
        kernel_copy::simulate(0);
        write_faults::disarm();
    }
};

// A file in /dev/shm, a file system other than the test folder's, removed afterwards.
class ShmFile {
public:
    ShmFile() {
        char name[] = "/dev/shm/varmelo-copy-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd >= 0) {
            ::close(fd);
            path_ = name;
        }
    }
    ~ShmFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool sameFileSystem(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev;
}

struct Way {
    const char* label;
    int kernelAnswer;  // for kernel_copy::simulate
    bool sourceElsewhere;  // the source on another file system
};

const Way kWays[] = {
    {"in the kernel", 0, false},
    {"refused: two file systems", EXDEV, false},
    {"refused: no such call", ENOSYS, false},
    {"refused: not plain files", EINVAL, false},
    {"refused: not supported", EOPNOTSUPP, false},
    {"copies nothing", kernel_copy::kCopiesNothing, false},
    {"from another file system", 0, true},
};

TEST(FileCopy, EveryWayCopiesTheSameBytesInTheSameWriteSteps) {
    CopyHooksReset reset;
    // Blocks: two whole, one part; from and to positions off any boundary.
    const size_t length = 2 * kCopyBlock + 12345;
    const Bytes data = pattern(length + 1000, 7);
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.label);
        TempDir dir;
        ShmFile shm;
        std::string from = dir.file("from");
        if (way.sourceElsewhere) {
            if (shm.path().empty() || sameFileSystem(shm.path(), dir.path())) {
                // Nothing to copy across here; the refusals above cover the same path.
                std::cout << "[   NOTE   ] no other file system at /dev/shm: row skipped\n";
                continue;
            }
            from = shm.path();
        }
        writeFile(from, data);
        writeFile(dir.file("to"), "0123456789");
        BinaryFile src = BinaryFile::openRead(from);
        BinaryFile dst = BinaryFile::openReadWrite(dir.file("to"));
        kernel_copy::simulate(way.kernelAnswer);
        write_faults::resetCount();
        dst.seek(5);
        EXPECT_EQ(dst.copyFrom(src, 333, length), length);
        EXPECT_EQ(write_faults::stepsSeen(), 3);
        EXPECT_EQ(dst.pos(), 5 + length);
        kernel_copy::simulate(0);
        const Bytes out = readFile(dir.file("to"));
        ASSERT_EQ(out.size(), 5 + length);
        EXPECT_EQ(slice(out, 0, 5), (Bytes{'0', '1', '2', '3', '4'}));
        EXPECT_TRUE(slice(out, 5, length) == slice(data, 333, length));
    }
}

TEST(FileCopy, ASourceThatEndsInsideTheRangeGivesWhatItHas) {
    CopyHooksReset reset;
    for (const Way& way : kWays) {
        if (way.sourceElsewhere) continue;
        SCOPED_TRACE(way.label);
        TempDir dir;
        const Bytes data = pattern(kCopyBlock + 500, 3);
        writeFile(dir.file("from"), data);
        BinaryFile src = BinaryFile::openRead(dir.file("from"));
        BinaryFile dst = BinaryFile::create(dir.file("to"));
        kernel_copy::simulate(way.kernelAnswer);
        EXPECT_EQ(dst.copyFrom(src, 200, 3 * kCopyBlock), kCopyBlock + 300);
        EXPECT_EQ(dst.copyFrom(src, data.size() + 10, 100), 0u) << "from past the end";
        kernel_copy::simulate(0);
        EXPECT_TRUE(readFile(dir.file("to")) == slice(data, 200, kCopyBlock + 300));
    }
}

TEST(FileCopy, WithinOneFileToAPlaceThatDoesNotOverlap) {
    CopyHooksReset reset;
    for (const Way& way : kWays) {
        if (way.sourceElsewhere) continue;
        SCOPED_TRACE(way.label);
        TempDir dir;
        const Bytes data = pattern(10000, 4);
        writeFile(dir.file("f"), data);
        BinaryFile f = BinaryFile::openReadWrite(dir.file("f"));
        kernel_copy::simulate(way.kernelAnswer);
        f.seek(12000);  // past the end, as a rebuild's tail
        EXPECT_EQ(f.copyFrom(f, 1000, 5000), 5000u);
        kernel_copy::simulate(0);
        const Bytes out = readFile(dir.file("f"));
        ASSERT_EQ(out.size(), 17000u);
        EXPECT_EQ(slice(out, 0, 10000), data);
        EXPECT_EQ(slice(out, 10000, 2000), Bytes(2000, 0));
        EXPECT_EQ(slice(out, 12000, 5000), slice(data, 1000, 5000));
    }
}

TEST(FileCopy, FailuresOfTheKernelCopyAndOfItsWriteStepAreReported) {
    CopyHooksReset reset;
    TempDir dir;
    writeFile(dir.file("from"), pattern(3 * kCopyBlock, 5));
    BinaryFile src = BinaryFile::openRead(dir.file("from"));
    BinaryFile dst = BinaryFile::create(dir.file("to"));
    kernel_copy::simulate(EIO);
    EXPECT_EQ(errorOf([&] { dst.copyFrom(src, 0, 100); }), "I/O error 5");
    kernel_copy::simulate(ENOSPC);
    EXPECT_EQ(errorOf([&] { dst.copyFrom(src, 0, 100); }), "Disk full");
    kernel_copy::simulate(0);
    // The disk fills up at the second block: the first is there, nothing after it.
    write_faults::failOnlyAt(2);
    dst.seek(0);
    EXPECT_EQ(errorOf([&] { dst.copyFrom(src, 0, 3 * kCopyBlock); }), "Disk full");
    write_faults::disarm();
    EXPECT_EQ(dst.size(), kCopyBlock);
}

}  // namespace
