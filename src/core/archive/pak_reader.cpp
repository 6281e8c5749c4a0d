// «Санитары Подземелий» .pak archives.
//
// N (u32 LE, the number of entries) and a zero u32, then N records of 156 bytes from byte 8:
//   0    128  name, zero-padded; a 128-character name has no terminator
//   128  4    not used
//   132  4    size of the entry's data in bytes (u32 LE)
//   136  4    offset of the data, bytes from the start of the file (u32 LE)
//   140  16   not used
// Size comes before offset.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/archive/readers.h"
#include "core/archive/record_blocks.h"
#include "core/io/binary_file.h"
#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr uint64_t kHeaderSize = 8;
constexpr uint64_t kRecordSize = 156;
constexpr size_t kNameField = 128;
void decodePakRecord(const uint8_t* p, uint64_t, TEntryRec& e) {
    const char* name = reinterpret_cast<const char*>(p);
    e.Name.assign(name, strnlen(name, kNameField));
    e.Size = u32le(p + 132);
    e.Offset = u32le(p + 136);
}

}  // namespace

void readPakDirectory(const std::string& path, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(path);
    uint32_t count = f.readU32le();
    f.readU32le();  // the zero word detection relies on
    // The count is never trusted for sizing: only the records the file can hold are read,
    // and a count beyond them fails after listing those.
    uint64_t length = f.size();
    uint64_t room = length > kHeaderSize ? (length - kHeaderSize) / kRecordSize : 0;
    uint64_t readable = std::min<uint64_t>(count, room);
    out.reserve(size_t(readable));
    readRecordBlocks(f, kHeaderSize, readable, kRecordSize, out, decodePakRecord);
    if (readable < count) throwReadBeyondEnd();
}

}  // namespace varmelo
