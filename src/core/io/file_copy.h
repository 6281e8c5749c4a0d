#pragma once
// Copying a byte range from one open file into another. The kernel copies it
// (copy_file_range: no bytes pass through this process, and a file system with shared
// extents may share them instead of copying); where it refuses (two file systems, a kernel or
// file system without the call, something that is not a plain file) or copies nothing, the
// bytes go through a buffer instead. Either way every block is one write step of the fault
// hook (write_faults.h), so a simulated full disk fails a kernel copy like a write.
#include <cstddef>
#include <cstdint>

namespace varmelo {

// The bytes one step copies: large enough to stream at disk speed, small enough that no entry
// is ever held in memory whole. A multiple of the IMG sector.
inline constexpr size_t kCopyBlock = size_t(1) << 20;

namespace kernel_copy {

// For tests: the in-kernel copy answers as if refused with `err` (EXDEV, ENOSYS, EINVAL,
// EOPNOTSUPP, ...), or as one that copies nothing when `err` is kCopiesNothing; 0 restores
// the real call. Production code never sets it.
inline constexpr int kCopiesNothing = -1;
void simulate(int err);

}  // namespace kernel_copy

}  // namespace varmelo
