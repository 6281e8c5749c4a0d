// Rebuilding an IMG archive: every entry's data back to back in table order, whole sectors,
// under a fresh directory.
//
// Single-file (VER2) form: the new archive is written complete - header, final directory
// padded to a multiple of 4096 bytes, data - into the temporary file beside it, fsynced, and
// renamed over the archive. rename() replaces the name atomically: at every moment the name
// holds either the old archive or the complete new one.
//
// Two-file form: the data file and the .dir file cannot be swapped together, and after any
// single rename one of them would be new and the other old, with the records pointing at
// the wrong bytes. Instead the .dir is the one switch point and it is only ever switched to
// records that are valid for the data file as it is at that moment:
//   1. every entry's data is copied, in the final order, to a tail region of the data file
//      beyond both its old end and the new length (T); fsync. The old .dir still describes
//      the file: the tail is unreferenced. (Entries already at their final place, whole,
//      stay where they are; nothing below writes over a final place of another entry.)
//   2. a .dir pointing at the tail copies is written to the temporary name, fsynced and
//      renamed over the .dir.
//   3. the tail is copied down to the front, [0, new length), which no record references
//      any more; fsync. The tail is left untouched.
//   4. the final .dir is written to the temporary name, fsynced and renamed over the .dir.
//   5. the data file is cut to its new length.
// Dying between any two steps leaves a pair that loads with every entry's data intact.
#include "core/archive/rebuild.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "core/archive/img_record.h"
#include "core/archive/img_write_support.h"
#include "core/archive/readers.h"
#include "core/io/background_close.h"
#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

using namespace img_write;

std::string rebuildTempPath(const std::string& archivePath) { return replaceExtension(archivePath, ".~new"); }

namespace {

constexpr uint64_t kVer2DirectoryAlign = 4096;

// The file a path names after following links, so a rename replaces the file, not the link.
std::string resolvedPath(const std::string& path) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) == nullptr) return path;
    return buf;
}

std::string tempPathFor(const Archive& a, const std::string& beside, std::initializer_list<std::string> resolved) {
    std::string tmp = rebuildTempPath(beside);
    // An archive whose own extension is ".~new" must not be overwritten by its temporary.
    auto taken = [&](const std::string& p) {
        if (p == a.DirPath || p == a.ArchivePath) return true;
        for (const auto& r : resolved)
            if (p == r) return true;
        return false;
    };
    while (taken(tmp)) tmp += ".~new";
    return tmp;
}

// Where each entry starts in the rebuilt layout, counted from byte `first`. Refused before
// anything is written when the 32-bit sector fields cannot hold it.
TRecArray plannedLayout(const TRecArray& entries, uint64_t first, uint64_t& end) {
    TRecArray planned = entries;
    uint64_t pos = first;
    for (auto& e : planned) {
        e.Offset = sectorOf(pos);
        pos += uint64_t(e.Size) * kSectorSize;
    }
    end = pos;
    sectorOf(end);
    return planned;
}

// The entries in the order their data lies in the old file: copying in that order reads the
// old file front to back, whatever order the table has. Where each copy goes is fixed in
// advance, so the order changes nothing in the result.
std::vector<size_t> byOldPosition(const TRecArray& entries) {
    std::vector<size_t> order(entries.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t x, size_t y) { return entries[x].Offset < entries[y].Offset; });
    return order;
}

void report(const RebuildProgress& progress, size_t i, size_t n) {
    if (progress && n >= 2) progress(int(uint64_t(i) * 100 / (n - 1)));
}

void writeDirectoryFile(const std::string& path, const TRecArray& entries) {
    BinaryFile f = BinaryFile::create(path);
    writeRecords(f, 0, entries, 0, entries.size());
    f.sync();
    f.close();
}

// The entries with their sizes cut to the sectors the file holds; a partly present last sector
// counts (it is filled up with zeros like any short tail).
TRecArray presentEntries(const TRecArray& entries, uint64_t fileEnd, std::vector<CutEntry>& cuts) {
    TRecArray out = entries;
    const uint64_t sectorsInFile = roundUpToSector(fileEnd) / kSectorSize;
    for (uint32_t i = 0; i < out.size(); ++i) {
        TEntryRec& e = out[i];
        const uint64_t present = e.Offset >= sectorsInFile ? 0 : sectorsInFile - e.Offset;
        if (e.Size <= present) continue;
        cuts.push_back({i, e.Name, e.Size, uint32_t(present)});
        e.Size = uint32_t(present);
    }
    return out;
}

void rebuildVer2(const TRecArray& entries, const RebuildProgress& progress, const std::string& target,
                 const std::string& tmp) {
    const size_t n = entries.size();
    const uint64_t dirEnd = kVer2HeaderSize + uint64_t(n) * kImgRecordSize;
    const uint64_t dataStart = (dirEnd + kVer2DirectoryAlign - 1) / kVer2DirectoryAlign * kVer2DirectoryAlign;
    uint64_t end = 0;
    TRecArray planned = plannedLayout(entries, dataStart, end);

    BinaryFile old = BinaryFile::openRead(target);
    const uint64_t oldEnd = old.size();
    BinaryFile out = BinaryFile::create(tmp);
    uint8_t head[kVer2HeaderSize];
    std::memcpy(head, "VER2", 4);
    head[4] = uint8_t(n);
    head[5] = uint8_t(n >> 8);
    head[6] = uint8_t(n >> 16);
    head[7] = uint8_t(n >> 24);
    out.write(head, sizeof head);
    writeRecords(out, kVer2HeaderSize, planned, 0, n);
    out.seek(dirEnd);
    out.writeZeros(dataStart - dirEnd);
    const std::vector<size_t> order = byOldPosition(entries);
    for (size_t k = 0; k < n; ++k) {
        const size_t i = order[k];
        const TEntryRec& e = entries[i];
        // An entry cut short by the end of the old file is filled up with zeros, so every
        // later entry still starts on its sector.
        copyZeroFilled(old, uint64_t(e.Offset) * kSectorSize, oldEnd, out, uint64_t(planned[i].Offset) * kSectorSize,
                       uint64_t(e.Size) * kSectorSize);
        report(progress, k, n);
    }
    out.sync();
    out.close();
    keepMode(target, tmp);
    renameFile(tmp, target);
    // The old archive is still open here, so the rename only took its name; freeing its
    // blocks is left to another thread.
    closeInBackground(std::move(old));
}

void rebuildVer1(const TRecArray& entries, const RebuildProgress& progress, const std::string& target,
                 const std::string& dirTarget, const std::string& tmpDir) {
    const size_t n = entries.size();
    uint64_t newEnd = 0;
    TRecArray planned = plannedLayout(entries, 0, newEnd);

    BinaryFile f = BinaryFile::openReadWrite(target);
    const uint64_t oldEnd = f.size();
    const uint64_t tail = roundUpToSector(std::max(oldEnd, newEnd));

    // Entries whose data already lies whole where it belongs are left alone: the final
    // places of the entries are disjoint, so copying the others never touches them.
    TRecArray interim = planned;
    std::vector<bool> moves(n, false);
    uint64_t tailEnd = tail;
    for (size_t i = 0; i < n; ++i) {
        const TEntryRec& e = entries[i];
        const uint64_t length = uint64_t(e.Size) * kSectorSize;
        if (e.Size == 0 || (e.Offset == planned[i].Offset && uint64_t(e.Offset) * kSectorSize + length <= oldEnd))
            continue;
        moves[i] = true;
        interim[i].Offset = sectorOf(tailEnd);
        tailEnd += length;
    }
    sectorOf(tailEnd);
    const bool anyMoves = tailEnd > tail;

    if (anyMoves) {
        try {
            // 1. the entries that move, in their final order, to the tail
            f.seek(oldEnd);
            f.writeZeros(tail - oldEnd);
            for (size_t i : byOldPosition(entries)) {
                if (!moves[i]) continue;
                const TEntryRec& e = entries[i];
                copyZeroFilled(f, uint64_t(e.Offset) * kSectorSize, oldEnd, f, uint64_t(interim[i].Offset) * kSectorSize,
                               uint64_t(e.Size) * kSectorSize);
            }
            f.sync();
            // 2. the directory switches to the tail copies
            writeDirectoryFile(tmpDir, interim);
            keepMode(dirTarget, tmpDir);
            renameFile(tmpDir, dirTarget);
        } catch (...) {
            // Still the old pair: give back the space of the tail.
            try {
                f.truncate(oldEnd);
            } catch (...) {
            }
            throw;
        }
    }

    // 3. the tail comes down to the front, where no record points any more
    for (size_t i = 0; i < n; ++i) {
        if (moves[i])
            copyZeroFilled(f, uint64_t(interim[i].Offset) * kSectorSize, tailEnd, f,
                           uint64_t(planned[i].Offset) * kSectorSize, uint64_t(entries[i].Size) * kSectorSize);
        report(progress, i, n);
    }
    if (anyMoves) f.sync();
    // 4. the directory switches to the front
    writeDirectoryFile(tmpDir, planned);
    keepMode(dirTarget, tmpDir);
    renameFile(tmpDir, dirTarget);
    // 5. the tail and the gaps are no longer referenced
    if (f.size() != newEnd) {
        f.truncate(newEnd);
        f.sync();
    }
}

}  // namespace

std::string describeCut(const CutEntry& c) {
    // Named first: "#" put before a temporary string makes GCC 12 at -O3 warn of overlapping
    // copies (-Wrestrict) that cannot happen.
    const std::string index = std::to_string(c.entry);
    return "#" + index + " '" + cp1251ToUtf8(c.name) + "': cut from " +
           std::to_string(c.claimedSectors) + " to " + std::to_string(c.keptSectors) +
           " sectors, the file ends inside it";
}

std::string leftoverRebuildFile(const Archive& a) {
    if (!a.editable()) return {};
    const std::string target = resolvedPath(a.ArchivePath);
    const std::string dirTarget = resolvedPath(a.DirPath);
    const bool v2 = a.ArchiveKind == TArchiveKind::akImgV2;
    const std::string tmp = tempPathFor(a, v2 ? target : dirTarget, {target, dirTarget});
    struct stat st {};
    if (::stat(tmp.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return tmp;
}

std::vector<CutEntry> RebuildArchive(Archive& a, const RebuildProgress& progress) {
    requireEditable(a);
    if (a.Entries.size() > 0xFFFFFFFFu) throw UsageError("The archive has too many entries");
    const bool v2 = a.ArchiveKind == TArchiveKind::akImgV2;
    if (!v2 && resolvedPath(a.DirPath) == resolvedPath(a.ArchivePath))
        throw UsageError("The directory file and the data file are the same file");

    const std::string target = resolvedPath(a.ArchivePath);
    const std::string dirTarget = resolvedPath(a.DirPath);
    const std::string tmp = tempPathFor(a, v2 ? target : dirTarget, {target, dirTarget});
    std::vector<CutEntry> cuts;
    try {
        const TRecArray entries = presentEntries(a.Entries, fileSize(target), cuts);
        if (v2) rebuildVer2(entries, progress, target, tmp);
        else rebuildVer1(entries, progress, target, dirTarget, tmp);
    } catch (...) {
        removeFileQuietly(tmp);
        try {
            ReadDirectory(a);
        } catch (...) {
            // The first failure is the one to report.
        }
        throw;
    }
    ReadDirectory(a);
    return cuts;
}

}  // namespace varmelo
