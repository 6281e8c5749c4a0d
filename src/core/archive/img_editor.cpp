// Editing an IMG archive in place.
//
// Every operation orders its writes so that the files on disk describe a loadable archive
// after each single write, and no entry that survives the operation ever points at data
// that is not complete:
//   add      data at the end (zero-padded sectors), fsync, record, fsync, VER2 count.
//            Dying before the record leaves unreferenced data; before the count, a record
//            beyond the count.
//   remove   records after the removed one move one slot forward, front to back, so at any
//            moment a record is duplicated, never missing; fsync; then the VER2 count drops
//            or the .dir is cut.
//   rename   one 24-byte write.
//   replace  in place: data, fsync, record. Otherwise add first, then remove the old entry,
//            so one of the two versions is always in the directory.
// Memory (Entries, RowMap, RowCount) changes only after the disk writes of a step succeeded.
#include "core/archive/img_editor.h"

#include <algorithm>

#include "core/archive/img_record.h"
#include "core/archive/img_write_support.h"
#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

using namespace img_write;

namespace {

bool isV2(const Archive& a) { return a.ArchiveKind == TArchiveKind::akImgV2; }

std::string entryNameOfFile(const std::string& path) {
    std::string name = fileNameOf(path);
    if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
    return name;
}

// Writes exactly `length` bytes of the source from its start at dst's position, then zeros up
// to the next sector boundary when `padSector`. A source that shrank fails.
void copySource(BinaryFile& src, uint64_t length, BinaryFile& dst, bool padSector) {
    if (dst.copyFrom(src, 0, length) < length) throwReadBeyondEnd();
    if (padSector) dst.writeZeros(roundUpToSector(length) - length);
}

// Grows the archive with zero bytes up to `end` (when shorter).
void padTo(BinaryFile& f, uint64_t end) {
    uint64_t len = f.size();
    if (len < end) {
        f.seek(len);
        f.writeZeros(end - len);
    }
}

// The entries whose data lies in the bytes [0, needEnd) that a growing VER2 directory takes.
// Each must be moved, so each must really be in the file: one that claims sectors past its
// end would be copied as zeros, maybe terabytes of them. Refused before anything is written.
std::vector<uint32_t> entriesInTheWay(const Archive& a, uint64_t fileEnd, uint64_t needEnd) {
    std::vector<uint32_t> out;
    for (uint32_t i = 0; i < a.Entries.size(); ++i) {
        const TEntryRec& e = a.Entries[i];
        if (e.Size == 0 || a.byteOffset(e) >= needEnd) continue;
        if (a.byteSize(e) > roundUpToSector(fileEnd) - std::min(a.byteOffset(e), roundUpToSector(fileEnd)))
            throw UsageError("Entry #" + std::to_string(i) + " '" + cp1251ToUtf8(e.Name) +
                             "' claims data past the end of the archive and would have to be moved to make room "
                             "for the directory; nothing was changed (run verify)");
        out.push_back(i);
    }
    return out;
}

// A VER2 directory grows in place over the first data sectors. Before the record that needs
// those bytes is written, every entry with data there is copied to the end of the archive and
// its record pointed at the copy: copy, fsync, record, and a last fsync before the caller
// overwrites the old bytes. Dying anywhere leaves either the old record with the old data
// still in place, or the new record with complete data.
// `keep` grows past each copy before its record is written, so a failure never gives back
// bytes that a record may point at.
void moveEntries(Archive& a, BinaryFile& f, uint64_t oldEnd, const std::vector<uint32_t>& which, uint64_t& keep) {
    for (uint32_t i : which) {
        TEntryRec& e = a.Entries[i];
        uint64_t dst = roundUpToSector(f.size());
        padTo(f, dst);
        TEntryRec rec = e;
        rec.Offset = sectorOf(dst);
        copyZeroFilled(f, uint64_t(e.Offset) * kSectorSize, oldEnd, f, dst, uint64_t(e.Size) * kSectorSize);
        f.sync();
        keep = dst + uint64_t(e.Size) * kSectorSize;
        writeRecord(f, rec);
        e.Offset = rec.Offset;
    }
    if (!which.empty()) f.sync();
}

// Gives back what a failed add appended: the archive is cut to `keep` bytes, which hold
// everything a record may point at. For a two-file archive a record half written past the
// last whole one goes first.
void cutBack(const Archive& a, BinaryFile& f, uint64_t keep, size_t records) noexcept {
    try {
        if (!isV2(a)) {
            BinaryFile dir = BinaryFile::openReadWrite(a.DirPath);
            if (dir.size() > uint64_t(records) * kImgRecordSize) dir.truncate(uint64_t(records) * kImgRecordSize);
        }
        if (f.isOpen() && f.size() > keep) f.truncate(keep);
    } catch (...) {
        // The first failure is the one the user hears about; the archive is valid either way.
    }
}

void lowerRowsAbove(TRowMap& map, uint32_t e) {
    for (auto& v : map)
        if (v > e) --v;
}

}  // namespace

namespace {

uint32_t addFileNamed(Archive& a, const std::string& sourcePath, const std::string& name) {
    requireEditable(a);
    BinaryFile src = BinaryFile::openRead(sourcePath);
    const uint64_t length = src.size();
    const uint32_t sizeSectors = sectorsFor(length);
    const size_t n = a.Entries.size();
    if (n >= 0xFFFFFFFFu) throw UsageError("The archive cannot hold more entries");

    BinaryFile f = BinaryFile::openReadWrite(a.ArchivePath);
    const uint64_t oldEnd = f.size();
    uint64_t start = roundUpToSector(oldEnd);
    std::vector<uint32_t> inTheWay;
    uint64_t needEnd = 0;
    if (isV2(a)) {
        needEnd = kVer2HeaderSize + (uint64_t(n) + 1) * kImgRecordSize;
        inTheWay = entriesInTheWay(a, oldEnd, needEnd);
        start = std::max(start, roundUpToSector(needEnd));
    }

    // What a record may point at once the moved entries are repointed; a failure later gives
    // back everything past it.
    uint64_t keep = oldEnd;
    TEntryRec rec;
    try {
        if (isV2(a)) {
            // Pad first: moved entries then land beyond the directory's new end as well.
            padTo(f, start);
            moveEntries(a, f, oldEnd, inTheWay, keep);
            start = roundUpToSector(f.size());
        }
        // A file that does not end on a sector boundary is padded, so Offset names the sector
        // where the data really starts.
        padTo(f, start);

        rec.Offset = sectorOf(start);
        rec.Size = sizeSectors;
        rec.Name = name;
        rec.DirPos = isV2(a) ? kVer2HeaderSize + uint64_t(n) * kImgRecordSize : uint64_t(n) * kImgRecordSize;

        f.seek(start);
        copySource(src, length, f, true);
        src.close();
        f.sync();  // the data must be on disk before a record points at it

        if (isV2(a)) {
            writeRecord(f, rec);
            f.sync();  // the record before the count that makes it visible
            writeVer2Count(f, uint32_t(n + 1));
        } else {
            BinaryFile dir = BinaryFile::openReadWrite(a.DirPath);
            writeRecord(dir, rec);
        }
    } catch (...) {
        cutBack(a, f, keep, n);
        throw;
    }

    a.Entries.push_back(rec);
    size_t row = std::min(a.RowCount, a.RowMap.size());
    a.RowMap.insert(a.RowMap.begin() + std::ptrdiff_t(row), uint32_t(n));
    a.RowCount = row + 1;
    return uint32_t(n);
}

}  // namespace

uint32_t AddFileToArchive(Archive& a, const std::string& sourcePath) {
    return addFileNamed(a, sourcePath, entryNameOfFile(sourcePath));
}

long RemoveEntryAt(Archive& a, uint32_t e) {
    requireEditable(a);
    requireEntry(a, e);
    const size_t n = a.Entries.size();
    {
        BinaryFile dir = BinaryFile::openReadWrite(a.DirPath);
        if (e + 1 < n) {
            // Slot j receives record j + 1, front to back: until the last write, one record is
            // in two slots and none is missing.
            writeRecords(dir, a.Entries[e].DirPos, a.Entries, e + 1, n - 1 - e);
            dir.sync();  // the moved records before the count or length that drops the last slot
        }
        if (isV2(a)) writeVer2Count(dir, uint32_t(n - 1));
        else dir.truncate(uint64_t(n - 1) * kImgRecordSize);
    }

    for (size_t j = e; j + 1 < n; ++j) {
        TEntryRec& cur = a.Entries[j];
        TEntryRec& next = a.Entries[j + 1];
        cur.Offset = next.Offset;
        cur.Size = next.Size;
        cur.Name = std::move(next.Name);
    }
    a.Entries.pop_back();

    long row = -1;
    size_t shown = std::min(a.RowCount, a.RowMap.size());
    for (size_t r = 0; r < shown; ++r)
        if (a.RowMap[r] == e) {
            row = long(r);
            break;
        }
    lowerRowsAbove(a.RowMap, e);
    if (row >= 0) {
        a.RowMap.erase(a.RowMap.begin() + row);
        a.RowCount = shown - 1;
    } else if (!a.RowMap.empty()) {
        a.RowMap.pop_back();
        a.RowCount = std::min(a.RowCount, a.RowMap.size());
    }
    return row;
}

void RenameEntry(Archive& a, uint32_t e, const std::string& newName) {
    requireEditable(a);
    requireEntry(a, e);
    std::string name = newName.substr(0, kMaxNameLength);
    uint8_t field[kImgNameLength] = {};
    std::copy_n(name.begin(), std::min(name.size(), kImgNameLength), field);
    {
        BinaryFile dir = BinaryFile::openReadWrite(a.DirPath);
        dir.seek(a.Entries[e].DirPos + 8);
        dir.write(field, sizeof field);
    }
    a.Entries[e].Name = std::move(name);
}

namespace {

// Writing in place must not touch the VER2 directory or bytes that another entry uses
// (entries may share sectors), and only sectors the file really holds are written over: an
// entry whose record points past the end would otherwise grow the file to wherever it points.
// Such a replacement goes to the end instead.
bool inPlaceIsSafe(const Archive& a, uint32_t e, uint64_t length, uint64_t fileEnd) {
    if (length == 0) return true;
    const uint64_t start = a.byteOffset(e);
    if (start > roundUpToSector(fileEnd) || a.byteSize(e) > roundUpToSector(fileEnd) - start) return false;
    length = roundUpToSector(length);  // the rest of the last sector is cleared too
    if (isV2(a) && start < kVer2HeaderSize + uint64_t(a.Entries.size()) * kImgRecordSize) return false;
    for (uint32_t j = 0; j < a.Entries.size(); ++j) {
        if (j == e || a.Entries[j].Size == 0) continue;
        uint64_t s = a.byteOffset(j), len = a.byteSize(j);
        if (s < start + length && start < s + len) return false;
    }
    return true;
}

}  // namespace

namespace {

uint32_t replaceNamed(Archive& a, uint32_t e, const std::string& sourcePath, const std::string& name) {
    requireEditable(a);
    requireEntry(a, e);
    BinaryFile src = BinaryFile::openRead(sourcePath);
    const uint64_t length = src.size();

    if (length <= a.byteSize(e) && inPlaceIsSafe(a, e, length, fileSize(a.ArchivePath))) {
        TEntryRec rec = a.Entries[e];
        rec.Size = sectorsFor(length);
        rec.Name = name;
        BinaryFile f = BinaryFile::openReadWrite(a.ArchivePath);
        // The last sector is cleared after the new bytes, as an add leaves it: nothing of the
        // old content stays readable inside the entry. Sectors the entry no longer uses keep theirs.
        f.seek(a.byteOffset(e));
        copySource(src, length, f, true);
        f.sync();
        if (isV2(a)) {
            writeRecord(f, rec);
        } else {
            f.close();
            BinaryFile dir = BinaryFile::openReadWrite(a.DirPath);
            writeRecord(dir, rec);
        }
        a.Entries[e] = std::move(rec);
        return e;
    }

    src.close();
    // The new copy goes in before the old entry leaves, so a failure in between leaves both.
    uint32_t added = addFileNamed(a, sourcePath, name);
    RemoveEntryAt(a, e);
    return added > e ? added - 1 : added;
}

}  // namespace

uint32_t ReplaceEntry(Archive& a, uint32_t e, const std::string& sourcePath) {
    return replaceNamed(a, e, sourcePath, entryNameOfFile(sourcePath));
}

uint32_t ReplaceEntryData(Archive& a, uint32_t e, const std::string& sourcePath) {
    requireEntry(a, e);
    const std::string name = a.Entries[e].Name;
    return replaceNamed(a, e, sourcePath, name);
}

long findEntryByName(const Archive& a, const std::string& name) {
    // Called once per added file over the whole table: compare in place, no copies.
    auto same = [&](const std::string& other) {
        if (other.size() != name.size()) return false;
        for (size_t k = 0; k < name.size(); ++k)
            if (asciiUpper(other[k]) != asciiUpper(name[k])) return false;
        return true;
    };
    for (size_t i = 0; i < a.Entries.size(); ++i)
        if (same(a.Entries[i].Name)) return long(i);
    return -1;
}

std::vector<uint32_t> AddFiles(Archive& a, const std::vector<std::string>& sourcePaths,
                               const ExistingNameDecider& decide,
                               const std::function<void(size_t done, size_t total)>& progress) {
    std::vector<uint32_t> added;
    for (size_t k = 0; k < sourcePaths.size(); ++k) {
        const std::string& path = sourcePaths[k];
        long existing = findEntryByName(a, entryNameOfFile(path));
        ExistingDecision d = ExistingDecision::AddAnother;
        if (existing >= 0 && decide) d = decide(uint32_t(existing));
        if (d == ExistingDecision::Stop) break;
        uint32_t index = AddFileToArchive(a, path);
        added.push_back(index);
        if (d == ExistingDecision::Replace) {
            // Added before the old entry is removed, so a failure leaves both versions.
            auto gone = uint32_t(existing);
            RemoveEntryAt(a, gone);
            for (auto& i : added)
                if (i > gone) --i;
        }
        if (progress) progress(k + 1, sourcePaths.size());
    }
    return added;
}

}  // namespace varmelo
