// GTA IMG directories.
//
// Two-file form: the .dir file is nothing but 32-byte records from byte 0; the entry count is
// its length / 32. Single-file form: "VER2", a u32 entry count, then count records from byte 8.
// Records are read in large blocks; the VER2 count is never trusted for sizing the table.
#include <algorithm>
#include <cstring>
#include <vector>

#include "core/archive/img_record.h"
#include "core/archive/readers.h"
#include "core/io/binary_file.h"
#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr size_t kRecordsPerBlock = 4096;  // 128 KiB per read

// Reads `count` records starting at byte `start`, appending them; the caller has made sure
// the file holds them, so a short read here means the file shrank under us.
void readRecords(BinaryFile& f, uint64_t start, uint64_t count, uint64_t dirPosBase, TRecArray& out) {
    std::vector<uint8_t> block(std::min<uint64_t>(count, kRecordsPerBlock) * kImgRecordSize);
    f.seek(start);
    uint64_t done = 0;
    while (done < count) {
        uint64_t n = std::min<uint64_t>(count - done, kRecordsPerBlock);
        f.readExact(block.data(), size_t(n * kImgRecordSize));
        for (uint64_t k = 0; k < n; ++k) {
            // Decoded in place: a temporary record per entry costs more than the read itself.
            const uint8_t* r = block.data() + k * kImgRecordSize;
            TEntryRec& e = out.emplace_back();
            e.Offset = u32le(r);
            e.Size = u32le(r + 4);
            const auto* name = reinterpret_cast<const char*>(r + 8);
            e.Name.assign(name, strnlen(name, kImgNameLength));
            e.DirPos = dirPosBase + (done + k) * kImgRecordSize;
        }
        done += n;
    }
}

}  // namespace

void readImgV1Directory(const std::string& dirPath, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(dirPath);
    uint64_t length = f.size();
    uint64_t whole = length / kImgRecordSize;
    out.reserve(size_t(whole));
    readRecords(f, 0, whole, 0, out);
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
    readRecords(f, kVer2HeaderSize, readable, kVer2HeaderSize, out);
    if (readable < count) throwReadBeyondEnd();
}

}  // namespace varmelo
