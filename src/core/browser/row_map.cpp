#include "core/browser/row_map.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>

#include "core/browser/format_size.h"
#include "core/io/errors.h"
#include "core/settings/text_format.h"

namespace varmelo {

namespace {

int sign(uint64_t x, uint64_t y) { return x < y ? -1 : (x > y ? 1 : 0); }

// Names compare like the zero-filled 512-byte fields they are stored in: unsigned bytes,
// a shorter name before any longer one that starts with it.
int compareNames(const std::string& x, const std::string& y) {
    size_t n = std::min(x.size(), y.size());
    int c = std::memcmp(x.data(), y.data(), n);
    if (c != 0) return c < 0 ? -1 : 1;
    return sign(x.size(), y.size());
}

// Minimum and maximum key rank over ranges of row positions, so that the scans of the
// partition can jump to the next element that stops them instead of stepping one by one.
// The sort's steps (and so its order among equal keys) stay exactly those of the plain
// quicksort; only the time it takes on sorted or nearly sorted rows changes.
class RankTree {
public:
    explicit RankTree(const std::vector<uint32_t>& ranks) {
        size_ = 1;
        while (size_ < ranks.size()) size_ *= 2;
        min_.assign(2 * size_, UINT32_MAX);
        max_.assign(2 * size_, 0);
        for (size_t p = 0; p < ranks.size(); ++p) min_[size_ + p] = max_[size_ + p] = ranks[p];
        for (size_t k = size_ - 1; k >= 1; --k) pull(k);
    }
    void set(size_t p, uint32_t rank) {
        size_t k = size_ + p;
        min_[k] = max_[k] = rank;
        for (k /= 2; k >= 1; k /= 2) pull(k);
    }
    // The first position in [l, r] whose rank is >= v, or -1.
    long firstAtLeast(long l, long r, uint32_t v) const { return first(1, 0, long(size_) - 1, l, r, v); }
    // The last position in [l, r] whose rank is <= v, or -1.
    long lastAtMost(long l, long r, uint32_t v) const { return last(1, 0, long(size_) - 1, l, r, v); }

private:
    void pull(size_t k) {
        min_[k] = std::min(min_[2 * k], min_[2 * k + 1]);
        max_[k] = std::max(max_[2 * k], max_[2 * k + 1]);
    }
    long first(size_t k, long nl, long nr, long l, long r, uint32_t v) const {
        if (nr < l || nl > r || max_[k] < v) return -1;
        if (nl == nr) return nl;
        long mid = (nl + nr) / 2;
        long f = first(2 * k, nl, mid, l, r, v);
        return f >= 0 ? f : first(2 * k + 1, mid + 1, nr, l, r, v);
    }
    long last(size_t k, long nl, long nr, long l, long r, uint32_t v) const {
        if (nr < l || nl > r || min_[k] > v) return -1;
        if (nl == nr) return nl;
        long mid = (nl + nr) / 2;
        long f = last(2 * k + 1, mid + 1, nr, l, r, v);
        return f >= 0 ? f : last(2 * k, nl, mid, l, r, v);
    }
    size_t size_ = 1;
    std::vector<uint32_t> min_, max_;
};

class RowSorter {
public:
    RowSorter(std::vector<uint32_t>& rows, std::vector<uint32_t>& ranks) : rows_(rows), rk_(ranks), tree_(ranks) {}

    // lo..hi inclusive. The smaller part is sorted by recursion and the larger by the loop,
    // which bounds the depth; the two parts are independent, so the result is the same.
    void sort(long lo, long hi) {
        while (lo < hi) {
            long p = partition(lo, hi);
            if (p - lo < hi - p) {
                sort(lo, p - 1);
                lo = p + 1;
            } else {
                sort(p + 1, hi);
                hi = p - 1;
            }
        }
    }

private:
    void swapAt(long x, long y) {
        if (x == y) return;
        std::swap(rows_[size_t(x)], rows_[size_t(y)]);
        std::swap(rk_[size_t(x)], rk_[size_t(y)]);
        tree_.set(size_t(x), rk_[size_t(x)]);
        tree_.set(size_t(y), rk_[size_t(y)]);
    }

    // Pivot = element hi. j steps down until its key is <= the pivot's or it reaches i + 1;
    // i steps up until its key is >= the pivot's or it reaches j - 1; the two are exchanged
    // while j > i; the last exchange is undone and the pivot goes to i.
    long partition(long lo, long hi) {
        const uint32_t pivot = rk_[size_t(hi)];
        long i = lo - 1, j = hi;
        while (true) {
            if (j - 1 >= i + 1) {
                long f = tree_.lastAtMost(i + 1, j - 1, pivot);
                j = f >= 0 ? f : i + 1;
            } else {
                // Already at or below i + 1: only the key stops it (an element <= the
                // pivot is always there, the one the last exchange put at i).
                long f = tree_.lastAtMost(lo, j - 1, pivot);
                j = f >= 0 ? f : lo;
            }
            if (i + 1 <= j - 1) {
                long f = tree_.firstAtLeast(i + 1, j - 1, pivot);
                i = f >= 0 ? f : j - 1;
            } else {
                // Past j - 1 already: only the key stops it, at the latest at the pivot.
                long f = tree_.firstAtLeast(i + 1, hi, pivot);
                i = f >= 0 ? f : hi;
            }
            swapAt(i, j);
            if (!(j > i)) break;
        }
        swapAt(i, j);
        swapAt(i, hi);
        return i;
    }

    std::vector<uint32_t>& rows_;
    std::vector<uint32_t>& rk_;
    RankTree tree_;
};

// A generous multiple of what the quicksort needs on shuffled rows (about 1.4 n log2 n).
uint64_t stepBudget(size_t n) {
    uint64_t log2n = 1;
    while ((uint64_t(1) << log2n) < n) ++log2n;
    return 8 * uint64_t(n) * log2n + 1024;
}

// The list's quicksort as it is written: pivot = element hi; j steps down until its rank is
// <= the pivot's or it reaches i + 1, i steps up until its rank is >= the pivot's or it
// reaches j - 1, the two are exchanged while j > i; the last exchange is undone and the
// pivot goes to i. Gives up (false) once it has taken more than `budget` steps.
bool plainSortWithin(std::vector<uint32_t>& rows, std::vector<uint32_t>& rk, uint64_t budget) {
    auto swapAt = [&](long x, long y) {
        std::swap(rows[size_t(x)], rows[size_t(y)]);
        std::swap(rk[size_t(x)], rk[size_t(y)]);
    };
    uint64_t steps = 0;
    std::vector<std::pair<long, long>> pending{{0, long(rows.size()) - 1}};
    while (!pending.empty()) {
        auto [lo, hi] = pending.back();
        pending.pop_back();
        if (lo >= hi) continue;
        const uint32_t pivot = rk[size_t(hi)];
        long i = lo - 1, j = hi;
        do {
            do {
                --j;
                ++steps;
            } while (!(rk[size_t(j)] <= pivot || j == i + 1));
            do {
                ++i;
                ++steps;
            } while (!(rk[size_t(i)] >= pivot || i == j - 1));
            swapAt(i, j);
            if (steps > budget) return false;
        } while (j > i);
        swapAt(i, j);
        swapAt(i, hi);
        // The two parts are independent, so the order they are sorted in does not matter.
        pending.emplace_back(lo, i - 1);
        pending.emplace_back(i + 1, hi);
    }
    return true;
}

}  // namespace

int compareEntries(const Archive& a, uint32_t x, uint32_t y, int column) {
    switch (column) {
    case kColumnIndex: return sign(x, y);
    case kColumnName: return compareNames(a.Entries[x].Name, a.Entries[y].Name);
    case kColumnAddress: return sign(a.Entries[x].Offset, a.Entries[y].Offset);
    case kColumnSize: return sign(a.Entries[x].Size, a.Entries[y].Size);
    default: return 0;
    }
}

void sortRows(Archive& a, int column) { detail::sortRowsWithin(a, column, -1); }

void detail::sortRowsWithin(Archive& a, int column, int64_t stepLimit) {
    size_t count = std::min(a.RowCount, a.RowMap.size());
    if (count < 2) return;
    std::vector<uint32_t> rows(a.RowMap.begin(), a.RowMap.begin() + long(count));
    for (uint32_t e : rows)
        if (e >= a.Entries.size()) throw UsageError("No entry at row map value " + std::to_string(e));
    // Dense ranks stand for the keys: equal keys get equal ranks, so every comparison of the
    // sort gives what comparing the entries would, at the price of one integer compare.
    std::vector<uint32_t> byKey = rows;
    std::sort(byKey.begin(), byKey.end(),
              [&](uint32_t x, uint32_t y) { return compareEntries(a, x, y, column) < 0; });
    std::vector<uint32_t> rankOfEntry(a.Entries.size(), 0);
    uint32_t rank = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        if (k > 0 && compareEntries(a, byKey[k - 1], byKey[k], column) != 0) ++rank;
        rankOfEntry[byKey[k]] = rank;
    }
    std::vector<uint32_t> ranks(count);
    for (size_t p = 0; p < count; ++p) ranks[p] = rankOfEntry[rows[p]];
    // Shuffled rows sort fastest stepping one element at a time; when that runs long (sorted
    // or nearly sorted rows, its worst case) the rank tree takes over from the start. Both
    // make the same steps, so the order they leave is the same.
    std::vector<uint32_t> rowsBefore = rows, ranksBefore = ranks;
    uint64_t budget = stepLimit < 0 ? stepBudget(count) : uint64_t(stepLimit);
    if (!plainSortWithin(rows, ranks, budget)) {
        rows = std::move(rowsBefore);
        ranks = std::move(ranksBefore);
        RowSorter(rows, ranks).sort(0, long(count) - 1);
    }
    std::copy(rows.begin(), rows.end(), a.RowMap.begin());
}

void reverseRows(Archive& a) {
    size_t count = std::min(a.RowCount, a.RowMap.size());
    std::reverse(a.RowMap.begin(), a.RowMap.begin() + long(count));
}

int columnClick(Archive& a, int sortColumn, int column) {
    if (a.Entries.empty()) return sortColumn;
    if (column == sortColumn) {
        reverseRows(a);
        return sortColumn;
    }
    sortRows(a, column);
    return column;
}

void applyFilter(Archive& a, const NameMatcher& matcher) {
    a.RowMap.resize(a.Entries.size());
    size_t shown = 0;
    std::vector<uint32_t> hidden;
    for (uint32_t i = 0; i < a.Entries.size(); ++i) {
        if (matcher.matches(a.Entries[i].Name)) a.RowMap[shown++] = i;
        else hidden.push_back(i);
    }
    // The elements past the shown rows keep the hidden entries, so the map stays a
    // permutation of the table for the editing commands.
    std::copy(hidden.begin(), hidden.end(), a.RowMap.begin() + long(shown));
    a.RowCount = shown;
}

void showAllRows(Archive& a) { a.resetRowMap(); }

long findNextRow(const Archive& a, long startRow, const NameMatcher& matcher) {
    size_t count = std::min(a.RowCount, a.RowMap.size());
    for (size_t r = size_t(std::max(startRow, 0L)); r < count; ++r) {
        uint32_t e = a.RowMap[r];
        if (e < a.Entries.size() && matcher.matches(a.Entries[e].Name)) return long(r);
    }
    return -1;
}

std::string addressText(const Archive& a, uint32_t e) {
    const TEntryRec& rec = a.Entries.at(e);
    // The list shows the byte position as the 32-bit number the program has always shown.
    uint32_t value = countsSectors(a.ArchiveKind) ? uint32_t(uint64_t(rec.Offset) * kSectorSize) : rec.Offset;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", value);
    return buf;
}

std::string sizeText(const Archive& a, uint32_t e, const MessageTable& messages, char decimalSeparator) {
    const TEntryRec& rec = a.Entries.at(e);
    // IMG sizes count 2 KB sectors: shown as whole kilobytes in the size label's words, so
    // the list speaks the chosen language too (the Russian text is "%d КБ" either way).
    if (countsSectors(a.ArchiveKind)) return formatText(messages.get(MsgSizeKb), {int64_t(rec.Size) * 2});
    return FormatSize(rec.Size, messages, decimalSeparator);
}

}  // namespace varmelo
