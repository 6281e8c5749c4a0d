#pragma once
// Letting go of a file on a thread of its own. Once a file's last name is gone, closing it
// frees all its blocks, and for a large file on a file system that discards freed blocks that
// takes longer than writing it did. An archive just replaced by its rebuilt copy is let go
// this way, after the copy is on disk under its name: nothing waits for the old blocks.
#include "core/io/binary_file.h"

namespace varmelo {

// Closes `f` on a detached thread, or here when no thread can be started. Errors of the
// close are ignored: the file is no longer in use by anything.
void closeInBackground(BinaryFile f) noexcept;

}  // namespace varmelo
