// Directory record and count writes, and the checks every IMG writer makes first.
#include <algorithm>
#include <limits>

#include "core/archive/img_record.h"
#include "core/archive/img_write_support.h"
#include "core/io/errors.h"
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
                    uint64_t length, std::vector<uint8_t>& buf) {
    if (buf.size() < kCopyBuffer) buf.resize(kCopyBuffer);
    uint64_t readable = srcPos >= srcEnd ? 0 : std::min(length, srcEnd - srcPos);
    // src and dst may be the same object: every read and write seeks for itself.
    while (length > 0) {
        size_t chunk = size_t(std::min<uint64_t>(length, buf.size()));
        size_t want = size_t(std::min<uint64_t>(chunk, readable));
        src.seek(srcPos);
        size_t got = want > 0 ? src.readSome(buf.data(), want) : 0;
        if (got < want) readable = 0;  // the file shrank under us: the rest reads as zeros
        else readable -= got;
        std::fill(buf.begin() + std::ptrdiff_t(got), buf.begin() + std::ptrdiff_t(chunk), uint8_t(0));
        dst.seek(dstPos);
        dst.write(buf.data(), chunk);
        srcPos += chunk;
        dstPos += chunk;
        length -= chunk;
    }
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
    constexpr size_t kPerBlock = kCopyBuffer / kImgRecordSize;
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
