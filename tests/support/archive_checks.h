#pragma once
// Reading back what the writers produced, for the archive tests.
#include <cstdint>
#include <string>

#include "core/archive/archive.h"
#include "support/temp_dir.h"

namespace testing_support {

uint32_t u32At(const Bytes& b, size_t at);
// The 32 bytes at `at`.
Bytes recordAt(const Bytes& b, size_t at);
// A directory record as the writers must produce it: offset, size, first 24 name bytes.
Bytes expectedRecord(uint32_t offset, uint32_t size, const std::string& name);
// The sectors an IMG entry occupies, read straight from the archive file (cut at its end).
Bytes entrySectors(const std::string& archivePath, const varmelo::TEntryRec& e);
// True when the entry's sectors start with `data` and hold it whole.
bool holdsData(const std::string& archivePath, const varmelo::TEntryRec& e, const Bytes& data);
// Writes `data` at byte `pos` of an existing or new file, leaving holes before it.
void writeAt(const std::string& path, uint64_t pos, const Bytes& data);

}  // namespace testing_support
