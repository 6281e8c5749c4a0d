#include <gtest/gtest.h>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {
Bytes filler(size_t n) { return Bytes(n, 'x'); }  // no zero bytes: never reads as a name end
}  // namespace

TEST(SybReader, EntriesFollowEachOtherFromTheEndOfTheDirectory) {
    TempDir dir;
    SybBuilder().add("a", filler(5)).add("b", filler(7)).write(dir.file("a.syb"));
    auto r = readDirectoryOf(readSybDirectory, dir.file("a.syb"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (TEntryRec{20, 5, "a", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{25, 7, "b", 0}));
}

TEST(SybReader, OffsetsCountFromTheStatedDirectoryEndEvenBeyondTheFile) {
    TempDir dir;
    SybBuilder().add("a", filler(5)).add("b", filler(7)).statedDirLength(1000).write(dir.file("a.syb"));
    auto r = readDirectoryOf(readSybDirectory, dir.file("a.syb"));
    EXPECT_EQ(r.error, "Read beyond end of file");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (TEntryRec{1008, 5, "a", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{1013, 7, "b", 0}));
}

TEST(SybReader, LongNameIsCutAndTheNextRecordStillLinesUp) {
    TempDir dir;
    std::string longName(600, 'L');
    SybBuilder().add(longName, filler(3)).add("next.bmp", filler(2)).write(dir.file("a.syb"));
    auto r = readDirectoryOf(readSybDirectory, dir.file("a.syb"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].Name, std::string(511, 'L'));
    EXPECT_EQ(r.entries[0].Size, 3u);
    EXPECT_EQ(r.entries[1].Name, "next.bmp");
    EXPECT_EQ(r.entries[1].Size, 2u);
    EXPECT_EQ(r.entries[1].Offset, 8u + 601 + 4 + 9 + 4 + 3);
}

TEST(SybReader, NameWithoutTerminatorBeforeTheEndFails) {
    TempDir dir;
    writeFile(dir.file("a.syb"), Bytes{'V', 'X', 'B', 'G', 10, 0, 0, 0, 'a', 'b', 'c'});
    auto r = readDirectoryOf(readSybDirectory, dir.file("a.syb"));
    EXPECT_EQ(r.error, "Read beyond end of file");
    EXPECT_TRUE(r.entries.empty());
}

TEST(SybReader, OffsetsThatWouldPassFourGigabytesAreRefusedNotWrapped) {
    TempDir dir;
    // "a" claims 0xFFFFFFF0 bytes, so "b" would start past what an offset can hold.
    writeFile(dir.file("a.syb"), Bytes{'V', 'X', 'B', 'G', 12, 0, 0, 0, 'a', 0, 0xF0, 0xFF, 0xFF, 0xFF, 'b', 0, 1, 0, 0, 0});
    auto r = readDirectoryOf(readSybDirectory, dir.file("a.syb"));
    EXPECT_TRUE(r.formatError);
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0], (TEntryRec{20, 0xFFFFFFF0u, "a", 0}));
}
