#pragma once
// NUL-terminated names, as the .syb and .big directories store them.
#include <string>

#include "core/io/buffered_reader.h"

namespace varmelo {

// Reads a name and its terminating zero byte, leaving the reader just past the terminator.
// A name longer than an entry can hold (511 bytes) is cut to 511 bytes, but all of it is
// consumed, so the fields after it stay in step and the rest of the directory still lists.
// A name with no terminator before the end of the file is "Read beyond end of file".
std::string ReadCString(BufferedReader& in);

// Appends bytes to an entry name up to the 511 bytes a name can hold; the rest is dropped.
void appendNameBytes(std::string& name, const char* bytes, size_t n);

}  // namespace varmelo
