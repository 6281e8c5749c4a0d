#include "core/archive/verify.h"

#include <gtest/gtest.h>

#include "support/numbered_name.h"

using namespace varmelo;
using Kind = VerifyFinding::Kind;

namespace {

Archive archiveOf(std::vector<TEntryRec> entries, TArchiveKind kind = TArchiveKind::akImgV2) {
    Archive a;
    a.ArchiveKind = kind;
    a.Entries = std::move(entries);
    a.resetRowMap();
    return a;
}

TEST(Verify, SoundArchiveHasNoFindings) {
    // Directory of 3 records ends at byte 104; data from sector 1; an empty entry between.
    Archive a = archiveOf({{1, 2, "a", 0}, {3, 0, "empty", 0}, {3, 1, "b", 0}});
    EXPECT_TRUE(verifyEntries(a, 4 * 2048).empty());
}

TEST(Verify, ReportsDataPastTheEnd) {
    Archive a = archiveOf({{1, 2, "a", 0}, {3, 1, "b", 0}});
    auto f = verifyEntries(a, 4 * 2048 - 1);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], (VerifyFinding{Kind::PastEnd, 1, 0, 6144, 8192, 8191, {}}));
    EXPECT_EQ(describeFinding(a, f[0]),
              "#1 'b': bytes 6144 to 8192 (exclusive) reach past the end of the file (8191 bytes)");
}

TEST(Verify, ReportsOverlapsButNotEmptyEntries) {
    Archive a = archiveOf({{1, 4, "big", 0}, {2, 1, "inner", 0}, {3, 0, "empty", 0}, {5, 1, "next", 0},
                           {4, 2, "tail", 0}});
    auto f = verifyEntries(a, 100 * 2048);
    // inner overlaps big; tail overlaps big and next. Each pair is reported once, on the
    // later entry of the two; that tail starts before next is no fault of its own.
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], (VerifyFinding{Kind::Overlap, 1, 0, 4096, 6144, 0, {}}));
    EXPECT_EQ(f[1], (VerifyFinding{Kind::Overlap, 4, 0, 8192, 12288, 0, {}}));
    EXPECT_EQ(f[2], (VerifyFinding{Kind::Overlap, 4, 3, 8192, 12288, 0, {}}));
    EXPECT_EQ(describeFinding(a, f[0]), "#1 'inner': bytes 4096 to 6144 (exclusive) overlap the data of #0 'big'");
}

TEST(Verify, ZipCountAgainstItsCentralDirectory) {
    Archive a = archiveOf({{0, 10, "a", 0}, {10, 5, "b", 0}}, TArchiveKind::akPk4);
    a.ListedCount = 2;
    EXPECT_TRUE(verifyEntries(a, 15).empty());
    a.ListedCount = 14;
    auto f = verifyEntries(a, 15);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], (VerifyFinding{Kind::CountMismatch, 2, 0, 0, 0, 14, {}}));
    EXPECT_EQ(describeFinding(a, f[0]), "the archive's index lists 14 entries, but 2 could be read");
}

TEST(Verify, Ver2DirectoryMustStopBeforeData) {
    // 70 records: the directory ends at byte 2248, inside sector 1.
    std::vector<TEntryRec> e;
    for (uint32_t i = 0; i < 70; ++i) e.push_back({1 + i, 1, testing_support::numbered("e", i), 0});
    Archive a = archiveOf(e);
    auto f = verifyEntries(a, 80 * 2048);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], (VerifyFinding{Kind::InDirectory, 0, 0, 2048, 4096, 2248, {}}));
    // The two-file form keeps its directory elsewhere.
    a.ArchiveKind = TArchiveKind::akImgV1;
    EXPECT_TRUE(verifyEntries(a, 80 * 2048).empty());
}

TEST(Verify, ByteKindsUseBytes) {
    Archive a = archiveOf({{0, 10, "a", 0}, {10, 5, "b", 0}, {14, 1, "c", 0}}, TArchiveKind::akBig);
    auto f = verifyEntries(a, 15);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0], (VerifyFinding{Kind::Overlap, 2, 1, 14, 15, 0, {}}));
}

TEST(Verify, HundredThousandEntriesInAnyOrder) {
    std::vector<TEntryRec> e;
    for (uint32_t i = 0; i < 100000; ++i) e.push_back({2000 + i, 1, "x", 0});
    Archive a = archiveOf(e);
    EXPECT_TRUE(verifyEntries(a, uint64_t(102000) * 2048).empty());
    std::swap(a.Entries[10], a.Entries[99990]);
    EXPECT_TRUE(verifyEntries(a, uint64_t(102000) * 2048).empty());
    a.Entries[99990].Size = 2;  // now reaches into the next entry's sector
    EXPECT_EQ(verifyEntries(a, uint64_t(102000) * 2048).size(), 1u);
}

}  // namespace
