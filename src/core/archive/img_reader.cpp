// GTA IMG directories.
//
// Two-file form: the .dir file is nothing but 32-byte records from byte 0; the entry count is
// its length / 32. Single-file form: "VER2", a u32 entry count, then count records from byte 8.
// The VER2 count is never trusted for sizing the table.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/archive/img_record.h"
#include "core/archive/readers.h"
#include "core/archive/record_blocks.h"
#include "core/io/binary_file.h"
#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

// Appends `count` records from byte `start`; the caller has made sure the file holds them.
void readRecords(BinaryFile& f, uint64_t start, uint64_t count, TRecArray& out) {
    readRecordBlocks(f, start, count, kImgRecordSize, out, [&](const uint8_t* r, uint64_t i, TEntryRec& e) {
        e.Offset = u32le(r);
        e.Size = u32le(r + 4);
        const auto* name = reinterpret_cast<const char*>(r + 8);
        e.Name.assign(name, strnlen(name, kImgNameLength));
        e.DirPos = start + i * kImgRecordSize;
    });
}

}  // namespace

void readImgV1Directory(const std::string& dirPath, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(dirPath);
    uint64_t length = f.size();
    uint64_t whole = length / kImgRecordSize;
    out.reserve(size_t(whole));
    readRecords(f, 0, whole, out);
    if (length % kImgRecordSize != 0) throwReadBeyondEnd();  // a partial last record
}

void readImgV2Directory(const std::string& archivePath, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(archivePath);
    f.seek(4);
    uint32_t count = f.readU32le();
    uint64_t length = f.size();
    uint64_t room = length > kVer2HeaderSize ? (length - kVer2HeaderSize) / kImgRecordSize : 0;
    uint64_t readable = std::min<uint64_t>(count, room);
    out.reserve(size_t(readable));
    readRecords(f, kVer2HeaderSize, readable, out);
    if (readable < count) throwReadBeyondEnd();
}

}  // namespace varmelo
