#pragma once
// The body of the archive targets: read the directory of a file written from the input, check
// the table against the file, and read a little of every entry through the bounded reader,
// as listing, verifying and previewing an archive would.
#include <cstdint>
#include <string>

#include "core/archive/archive.h"

namespace varmelo::fuzz {

// Reads a whose ArchivePath (and DirPath) hold the input; errors of the program are expected.
void exerciseArchive(Archive a);

// An archive of `kind` whose single file (directory inside) holds the input.
void fuzzSingleFileArchive(TArchiveKind kind, const char* fileName, const uint8_t* data, size_t size);

}  // namespace varmelo::fuzz
