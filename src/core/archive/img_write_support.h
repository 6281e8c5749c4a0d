#pragma once
// Pieces shared by the IMG writers (editing and rebuild): permission checks, the copy of an
// entry's sectors and the directory record / count writes. Private to the archive writers.
#include <cstdint>
#include <string>
#include <vector>

#include "core/archive/archive.h"
#include "core/io/binary_file.h"

namespace varmelo::img_write {

// Fails before anything changes: UsageError for a kind that cannot be edited,
// "File access denied" when the archive (or its .dir) may not be written.
void requireEditable(const Archive& a);
void requireEntry(const Archive& a, uint32_t e);

inline uint64_t roundUpToSector(uint64_t n) { return (n + kSectorSize - 1) / kSectorSize * kSectorSize; }
// Sector number of a byte position, refused when the directory's 32-bit field cannot hold it.
uint32_t sectorOf(uint64_t bytePos);
uint32_t sectorsFor(uint64_t byteLength);

// Copies `length` bytes from src@srcPos to dst@dstPos, in the kernel where it can. Bytes at or
// beyond srcEnd (the end of the source's valid data; src may be dst itself, growing as we
// write) are written as zeros, so the destination always receives exactly `length` bytes.
void copyZeroFilled(BinaryFile& src, uint64_t srcPos, uint64_t srcEnd, BinaryFile& dst, uint64_t dstPos,
                    uint64_t length);

// Directory writes. Each is one write step.
void writeRecord(BinaryFile& dir, const TEntryRec& e);
void writeRecordAt(BinaryFile& dir, uint64_t dirPos, const TEntryRec& e);
void writeVer2Count(BinaryFile& archive, uint32_t count);
// Writes the records of entries[first, first+count) one after another from byte `pos`,
// in blocks; front to back, so a write cut short leaves a prefix of them written.
void writeRecords(BinaryFile& dir, uint64_t pos, const TRecArray& entries, size_t first, size_t count);

}  // namespace varmelo::img_write
