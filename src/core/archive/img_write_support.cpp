// Directory record and count writes, and the checks every IMG writer makes first.
#include <algorithm>
#include <limits>

#include "core/archive/img_record.h"
#include "core/archive/img_write_support.h"
#include "core/io/errors.h"
#include "core/io/file_copy.h"
#include "core/io/file_system.h"

namespace varmelo::img_write {

void requireEditable(const Archive& a) {
    if (!a.editable()) throw UsageError("Only GTA IMG archives can be edited");
    requireWritable(a.ArchivePath);
    if (kindInfo(a.ArchiveKind).directory == DirectoryPlace::DirFile) requireWritable(a.DirPath);
}

void requireEntry(const Archive& a, uint32_t e) {
    if (e >= a.Entries.size()) throw UsageError("No entry " + std::to_string(e));
}

uint32_t sectorOf(uint64_t bytePos) {
    uint64_t s = bytePos / kSectorSize;
    if (s > std::numeric_limits<uint32_t>::max()) throw UsageError("The archive is too large for an IMG directory");
    return uint32_t(s);
}

uint32_t sectorsFor(uint64_t byteLength) {
    uint64_t s = byteLength / kSectorSize + (byteLength % kSectorSize != 0 ? 1 : 0);
    if (s > std::numeric_limits<uint32_t>::max()) throw UsageError("The file is too large for an IMG archive");
    return uint32_t(s);
}

void copyZeroFilled(BinaryFile& src, uint64_t srcPos, uint64_t srcEnd, BinaryFile& dst, uint64_t dstPos,
                    uint64_t length) {
    const uint64_t readable = srcPos >= srcEnd ? 0 : std::min(length, srcEnd - srcPos);
    dst.seek(dstPos);
    // A source that shrank under us reads as zeros from where it ends.
    const uint64_t copied = readable > 0 ? dst.copyFrom(src, srcPos, readable) : 0;
    dst.writeZeros(length - copied);
}

void writeRecordAt(BinaryFile& dir, uint64_t dirPos, const TEntryRec& e) {
    ImgRecord r = encodeImgRecord(e);
    dir.seek(dirPos);
    dir.write(r.data(), r.size());
}

void writeRecord(BinaryFile& dir, const TEntryRec& e) { writeRecordAt(dir, e.DirPos, e); }

void writeVer2Count(BinaryFile& archive, uint32_t count) {
    archive.seek(4);
    archive.writeU32le(count);
}

void writeRecords(BinaryFile& dir, uint64_t pos, const TRecArray& entries, size_t first, size_t count) {
    constexpr size_t kPerBlock = kCopyBlock / kImgRecordSize;
    std::vector<uint8_t> block(std::min(count, kPerBlock) * kImgRecordSize);
    dir.seek(pos);
    for (size_t done = 0; done < count;) {
        size_t n = std::min(count - done, kPerBlock);
        for (size_t k = 0; k < n; ++k) {
            ImgRecord r = encodeImgRecord(entries[first + done + k]);
            std::copy(r.begin(), r.end(), block.begin() + std::ptrdiff_t(k * kImgRecordSize));
        }
        dir.write(block.data(), n * kImgRecordSize);
        done += n;
    }
}

}  // namespace varmelo::img_write
