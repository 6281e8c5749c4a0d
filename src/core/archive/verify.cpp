#include "core/archive/verify.h"

#include <algorithm>
#include <numeric>

#include "core/archive/img_record.h"
#include "core/archive/rebuild.h"
#include "core/io/file_system.h"

namespace varmelo {

std::vector<VerifyFinding> verifyEntries(const Archive& a, uint64_t fileLength) {
    using Kind = VerifyFinding::Kind;
    std::vector<VerifyFinding> out;
    const auto& entries = a.Entries;
    const uint32_t n = uint32_t(entries.size());
    auto range = [&](uint32_t i) {
        uint64_t start = a.byteOffset(i);
        return std::pair{start, start + a.byteSize(i)};
    };

    const bool ver2 = a.ArchiveKind == TArchiveKind::akImgV2;
    const uint64_t directoryEnd = kVer2HeaderSize + uint64_t(n) * kImgRecordSize;
    for (uint32_t i = 0; i < n; ++i) {
        auto [start, end] = range(i);
        if (end > fileLength || start > fileLength)
            out.push_back({Kind::PastEnd, i, 0, start, end, fileLength, {}});
        if (ver2 && end > start && start < directoryEnd)
            out.push_back({Kind::InDirectory, i, 0, start, end, directoryEnd, {}});
    }

    // Overlaps: sweep the non-empty entries by start; each one that starts before the
    // furthest end seen so far overlaps the entry that reaches that far.
    std::vector<uint32_t> order;
    order.reserve(n);
    for (uint32_t i = 0; i < n; ++i)
        if (entries[i].Size != 0) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
        auto rx = range(x), ry = range(y);
        return rx.first != ry.first ? rx.first < ry.first : x < y;
    });
    uint64_t furthest = 0;
    uint32_t holder = 0;
    bool any = false;
    for (uint32_t i : order) {
        auto [start, end] = range(i);
        if (any && start < furthest) {
            uint32_t first = std::min(holder, i), second = std::max(holder, i);
            auto [s, e] = range(second);
            out.push_back({Kind::Overlap, second, first, s, e, 0, {}});
        }
        if (!any || end > furthest) {
            furthest = end;
            holder = i;
            any = true;
        }
    }

    std::stable_sort(out.begin(), out.end(), [](const VerifyFinding& x, const VerifyFinding& y) {
        return x.entry != y.entry ? x.entry < y.entry : int(x.kind) < int(y.kind);
    });
    // Entries that could not be read at all have no index to sort by: they come last.
    if (a.ListedCount && *a.ListedCount != n) out.push_back({Kind::CountMismatch, n, 0, 0, 0, *a.ListedCount, {}});
    return out;
}

std::vector<VerifyFinding> verifyArchive(const Archive& a) {
    std::vector<VerifyFinding> out = verifyEntries(a, fileSize(a.ArchivePath));
    std::string leftover = leftoverRebuildFile(a);
    if (!leftover.empty()) {
        VerifyFinding f{VerifyFinding::Kind::LeftoverRebuild, 0, 0, 0, 0, 0, {}};
        f.file = std::move(leftover);
        out.push_back(std::move(f));
    }
    return out;
}

std::string describeFinding(const Archive& a, const VerifyFinding& f) {
    auto who = [&](uint32_t i) {
        // Named first: "#" put before a temporary string makes GCC 12 at -O3 warn of
        // overlapping copies (-Wrestrict) that cannot happen.
        const std::string index = std::to_string(i);
        return "#" + index + " '" + (i < a.Entries.size() ? a.Entries[i].Name : std::string()) + "'";
    };
    auto bytes = [](uint64_t s, uint64_t e) {
        return "bytes " + std::to_string(s) + " to " + std::to_string(e) + " (exclusive)";
    };
    using Kind = VerifyFinding::Kind;
    switch (f.kind) {
    case Kind::PastEnd:
        return who(f.entry) + ": " + bytes(f.start, f.end) + " reach past the end of the file (" +
               std::to_string(f.limit) + " bytes)";
    case Kind::Overlap:
        return who(f.entry) + ": " + bytes(f.start, f.end) + " overlap the data of " + who(f.other);
    case Kind::InDirectory:
        return who(f.entry) + ": data starts at byte " + std::to_string(f.start) +
               ", inside the directory, which ends at byte " + std::to_string(f.limit);
    case Kind::CountMismatch:
        return "the archive's index lists " + std::to_string(f.limit) + " entries, but " + std::to_string(f.entry) +
               " could be read";
    case Kind::LeftoverRebuild:
        return "'" + f.file + "' is left over from a rebuild that did not finish; the next rebuild removes it";
    }
    return who(f.entry);
}

}  // namespace varmelo
