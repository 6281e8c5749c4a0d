#include "core/browser/row_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/numbered_name.h"

using namespace varmelo;

namespace {

Archive archiveOf(std::vector<TEntryRec> entries, TArchiveKind kind = TArchiveKind::akImgV2) {
    Archive a;
    a.ArchiveKind = kind;
    a.Entries = std::move(entries);
    a.resetRowMap();
    return a;
}

Archive sizes(const std::vector<uint32_t>& s) {
    std::vector<TEntryRec> e;
    for (size_t i = 0; i < s.size(); ++i) e.push_back({uint32_t(i), s[i], testing_support::numbered("e", i), 0});
    return archiveOf(e);
}

TRowMap shown(const Archive& a) { return TRowMap(a.RowMap.begin(), a.RowMap.begin() + long(a.RowCount)); }

// The list's quicksort stepped one element at a time, as an oracle for the fast version.
void plainQuicksort(const Archive& a, TRowMap& r, long lo, long hi, int column) {
    if (lo >= hi) return;
    uint32_t pivot = r[size_t(hi)];
    auto cmp = [&](long p) { return compareEntries(a, r[size_t(p)], pivot, column); };
    long i = lo - 1, j = hi;
    do {
        do --j;
        while (!(cmp(j) <= 0 || j == i + 1));
        do ++i;
        while (!(cmp(i) >= 0 || i == j - 1));
        std::swap(r[size_t(i)], r[size_t(j)]);
    } while (j > i);
    std::swap(r[size_t(i)], r[size_t(j)]);
    std::swap(r[size_t(i)], r[size_t(hi)]);
    plainQuicksort(a, r, lo, i - 1, column);
    plainQuicksort(a, r, i + 1, hi, column);
}

TEST(SortRows, EqualKeysEndInTheListsOwnOrder) {
    Archive three = sizes({7, 7, 7});
    sortRows(three, kColumnSize);
    EXPECT_EQ(three.RowMap, (TRowMap{1, 2, 0}));
    Archive four = sizes({7, 7, 7, 7});
    sortRows(four, kColumnSize);
    EXPECT_EQ(four.RowMap, (TRowMap{2, 3, 1, 0}));
}

TEST(SortRows, MatchesThePlainQuicksortOnRandomRowsWithTies) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        size_t n = 1 + rng() % 60;
        uint32_t distinct = 1 + rng() % 8;
        std::vector<uint32_t> s(n);
        for (auto& v : s) v = rng() % distinct;
        if (round % 3 == 1) std::sort(s.begin(), s.end());
        if (round % 3 == 2) std::sort(s.rbegin(), s.rend());
        Archive a = sizes(s);
        std::shuffle(a.RowMap.begin(), a.RowMap.end(), rng);
        TRowMap expected = a.RowMap;
        plainQuicksort(a, expected, 0, long(n) - 1, kColumnSize);
        Archive viaTree = a;
        sortRows(a, kColumnSize);
        ASSERT_EQ(a.RowMap, expected) << "round " << round;
        // A fast path given up at once leaves the whole sort to the rank tree.
        detail::sortRowsWithin(viaTree, kColumnSize, int64_t(round % 5));
        ASSERT_EQ(viaTree.RowMap, expected) << "rank tree, round " << round;
    }
}

TEST(SortRows, HandlesHundredThousandSortedRowsWithTies) {
    // Sorted input is the plain quicksort's worst case: deep recursion and n^2 steps.
    std::vector<uint32_t> s(100000);
    for (size_t i = 0; i < s.size(); ++i) s[i] = uint32_t(i / 3);
    Archive a = sizes(s);
    sortRows(a, kColumnSize);
    for (size_t r = 1; r < a.RowMap.size(); ++r) ASSERT_LE(s[a.RowMap[r - 1]], s[a.RowMap[r]]);
    TRowMap sorted = a.RowMap;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i) ASSERT_EQ(sorted[i], i);
}

TEST(SortRows, NamesCompareAsUnsignedBytes) {
    Archive a = archiveOf({{0, 0, "\xC0.txd", 0}, {0, 0, "a", 0}, {0, 0, "B", 0}, {0, 0, "ab", 0}, {0, 0, "", 0}});
    sortRows(a, kColumnName);
    EXPECT_EQ(a.RowMap, (TRowMap{4, 2, 1, 3, 0}));  // "", "B", "a", "ab", Cyrillic
}

TEST(SortRows, OffsetAndSizeCompareAsUnsigned32BitNumbers) {
    Archive a = archiveOf({{0x80000000u, 1, "x", 0}, {5, 0xFFFFFFFFu, "y", 0}, {6, 2, "z", 0}});
    sortRows(a, kColumnAddress);
    EXPECT_EQ(a.RowMap, (TRowMap{1, 2, 0}));
    sortRows(a, kColumnSize);
    EXPECT_EQ(a.RowMap, (TRowMap{0, 2, 1}));
    sortRows(a, kColumnIndex);
    EXPECT_EQ(a.RowMap, (TRowMap{0, 1, 2}));
}

TEST(ColumnClick, SortsThenReversesAndBack) {
    Archive a = sizes({3, 1, 2});
    int col = columnClick(a, -1, kColumnSize);
    EXPECT_EQ(col, kColumnSize);
    EXPECT_EQ(a.RowMap, (TRowMap{1, 2, 0}));
    EXPECT_EQ(columnClick(a, col, kColumnSize), kColumnSize);
    EXPECT_EQ(a.RowMap, (TRowMap{0, 2, 1}));
    columnClick(a, col, kColumnSize);
    EXPECT_EQ(a.RowMap, (TRowMap{1, 2, 0}));
    // another column sorts ascending from the current order
    EXPECT_EQ(columnClick(a, col, kColumnIndex), kColumnIndex);
    EXPECT_EQ(a.RowMap, (TRowMap{0, 1, 2}));
}

TEST(ColumnClick, EmptyArchiveChangesNothing) {
    Archive a = sizes({});
    EXPECT_EQ(columnClick(a, -1, kColumnName), -1);
    EXPECT_EQ(columnClick(a, 0, kColumnName), 0);
    EXPECT_TRUE(a.RowMap.empty());
}

TEST(ReverseRows, OnlyTheShownRowsAndNothingWhenNoneShown) {
    Archive a = sizes({1, 2, 3, 4});
    a.RowMap = {2, 0, 3, 1};
    a.RowCount = 3;
    reverseRows(a);
    EXPECT_EQ(a.RowMap, (TRowMap{3, 0, 2, 1}));
    a.RowCount = 0;
    reverseRows(a);
    EXPECT_EQ(a.RowMap, (TRowMap{3, 0, 2, 1}));
    sortRows(a, kColumnSize);
    EXPECT_EQ(a.RowMap, (TRowMap{3, 0, 2, 1}));
}

TEST(SortRows, SortsOnlyTheShownRows) {
    Archive a = sizes({9, 8, 7, 6});
    a.RowMap = {0, 2, 1, 3};
    a.RowCount = 2;
    sortRows(a, kColumnSize);
    EXPECT_EQ(a.RowMap, (TRowMap{2, 0, 1, 3}));
}

TEST(Filter, ShowsMatchesInTableOrderAndRestores) {
    Archive a = archiveOf({{0, 0, "a.txd", 0}, {0, 0, "b.dff", 0}, {0, 0, "C.TXD", 0}, {0, 0, "", 0}});
    a.RowMap = {3, 2, 1, 0};
    applyFilter(a, NameMatcher("txd", {}));
    EXPECT_EQ(shown(a), (TRowMap{0, 2}));
    TRowMap all = a.RowMap;
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (TRowMap{0, 1, 2, 3}));  // still one element per entry
    applyFilter(a, NameMatcher("", {}));
    EXPECT_EQ(shown(a), (TRowMap{0, 1, 2, 3}));
    applyFilter(a, NameMatcher("", {true, false}));
    EXPECT_EQ(shown(a), (TRowMap{3}));
    applyFilter(a, NameMatcher("zzz", {}));
    EXPECT_EQ(a.RowCount, 0u);
    showAllRows(a);
    EXPECT_EQ(shown(a), (TRowMap{0, 1, 2, 3}));
}

TEST(FindNextRow, SearchesShownRowsDownwardsWithoutWrapping) {
    Archive a = archiveOf({{0, 0, "a.txd", 0}, {0, 0, "b.dff", 0}, {0, 0, "c.txd", 0}});
    a.RowMap = {2, 1, 0};
    NameMatcher txd("txd", {});
    EXPECT_EQ(findNextRow(a, 0, txd), 0);
    EXPECT_EQ(findNextRow(a, 1, txd), 2);
    EXPECT_EQ(findNextRow(a, 3, txd), -1);
    EXPECT_EQ(findNextRow(a, -1, NameMatcher("dff", {})), 1);
    a.RowCount = 2;
    EXPECT_EQ(findNextRow(a, 1, txd), -1);
}

struct TextRow {
    TArchiveKind kind;
    uint32_t offset, size;
    const char* address;
    const char* sizeText;
};

class RowTexts : public testing::TestWithParam<TextRow> {};

TEST_P(RowTexts, AddressAndSizeColumns) {
    const TextRow& r = GetParam();
    Archive a = archiveOf({{r.offset, r.size, "x", 0}}, r.kind);
    MessageTable m;
    EXPECT_EQ(addressText(a, 0), r.address);
    EXPECT_EQ(sizeText(a, 0, m), r.sizeText);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowTexts,
    testing::Values(TextRow{TArchiveKind::akImgV2, 1, 3, "00000800", "6 КБ"},
                    TextRow{TArchiveKind::akImgV1, 0, 0, "00000000", "0 КБ"},
                    TextRow{TArchiveKind::akImgV1, 0x200001, 0x80000000u, "00000800", "4294967296 КБ"},
                    TextRow{TArchiveKind::akBig, 255, 1536, "000000FF", "1.50 КБ"},
                    TextRow{TArchiveKind::akSyb, 0xABCDEF12u, 1023, "ABCDEF12", "1023 байт"},
                    TextRow{TArchiveKind::akPak, 0, 1048576, "00000000", "1.00 МБ"}));

TEST(RowTexts, SizeUsesTheDecimalSeparatorAndTheMessagesOfTheLanguage) {
    MessageTable m;
    m.set(MsgKilobytes, "%.2f KB");
    m.set(MsgSizeKb, "%d KB");  // IMG sectors: whole kilobytes
    Archive big = archiveOf({{0, 1536, "x", 0}}, TArchiveKind::akBig);
    EXPECT_EQ(sizeText(big, 0, m, ','), "1,50 KB");
    Archive img = archiveOf({{0, 2, "x", 0}});
    EXPECT_EQ(sizeText(img, 0, m, ','), "4 KB");
}

}  // namespace
