// BinaryFile::copyFrom: the kernel's copy first, a buffer where it is refused.
#include "core/io/file_copy.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>

#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/io/write_faults.h"

namespace varmelo {

namespace kernel_copy {

namespace {
std::atomic<int> g_simulated{0};
}  // namespace

void simulate(int err) { g_simulated = err; }

}  // namespace kernel_copy

namespace {

// One buffer per thread, kept: a fresh megabyte for every small entry cost more than copying
// the entry itself.
uint8_t* copyBuffer() {
    thread_local std::unique_ptr<uint8_t[]> buf(new uint8_t[kCopyBlock]);
    return buf.get();
}

// The answers of copy_file_range that mean "not here, copy it yourself".
bool refused(int err) { return err == EXDEV || err == ENOSYS || err == EINVAL || err == EOPNOTSUPP; }

// Copies up to n bytes in the kernel; returns how many, 0 when it is refused or copies nothing.
size_t copyInKernel(int in, uint64_t inPos, int out, uint64_t outPos, size_t n) {
    const int simulated = kernel_copy::g_simulated.load(std::memory_order_relaxed);
    if (simulated == kernel_copy::kCopiesNothing) return 0;
    if (simulated != 0) {
        if (refused(simulated)) return 0;
        throwErrno(simulated);
    }
    size_t done = 0;
    while (done < n) {
        auto offIn = off_t(inPos + done), offOut = off_t(outPos + done);
        const ssize_t r = ::copy_file_range(in, &offIn, out, &offOut, n - done, 0);
        if (r > 0) {
            done += size_t(r);
            continue;
        }
        if (r == 0) break;  // the source's end, or a file system that copies nothing
        if (errno == EINTR) continue;
        if (refused(errno)) break;
        throwErrno(errno);
    }
    return done;
}

}  // namespace

uint64_t BinaryFile::copyFrom(BinaryFile& src, uint64_t srcPos, uint64_t length) {
    const uint64_t start = pos_;  // src may be this file: its reads move pos_
    uint64_t copied = 0;
    bool inKernel = true;  // until the kernel refuses once; then the buffer for the rest
    while (copied < length) {
        const size_t want = size_t(std::min<uint64_t>(length - copied, kCopyBlock));
        const uint64_t at = start + copied;
        write_faults::beforeWriteStep();
        size_t got = inKernel ? copyInKernel(src.fd_, srcPos + copied, fd_, at, want) : 0;
        if (got < want) {
            inKernel = false;
            // The rest of the block through the buffer; it also finds the source's real end.
            uint8_t* buf = copyBuffer();
            src.seek(srcPos + copied + got);
            const size_t read = src.readSome(buf, want - got);
            writeAt(buf, read, at + got);
            got += read;
        }
        copied += got;
        pos_ = start + copied;
        if (got < want) break;  // the source ends here
    }
    pos_ = start + copied;
    return copied;
}

}  // namespace varmelo
