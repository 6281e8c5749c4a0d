#include <gtest/gtest.h>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {
Bytes tag(const char* t) { return Bytes(t, t + 4); }
}  // namespace

TEST(BinReader, NamesTakeWholeGroupsOfFourBytes) {
    TempDir dir;
    BinBuilder b;
    b.entry(" TEX", "rock5", pattern(20, 1)).entry(" NAV", "grid", pattern(6, 2)).entry(" TEX", "", pattern(1, 3)).end();
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 3u);
    // chunk head 8, n 4, name 8, block 40
    EXPECT_EQ(r.entries[0], (TEntryRec{12 + 8 + 4 + 8 + 40, 20, "rock5", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{b.dataOffset(1), 6, "grid", 0}));
    EXPECT_EQ(b.dataOffset(1), 12u + 80 + 8 + 4 + 4 + 40);
    EXPECT_EQ(r.entries[2], (TEntryRec{b.dataOffset(2), 1, "", 0}));
}

TEST(BinReader, OtherChunksAreSkippedByTheirLength) {
    TempDir dir;
    // The skipped payload looks like an entry chunk; it must not be read as one.
    BinBuilder inner;
    inner.entry(" TEX", "decoy", pattern(4, 9));
    Bytes decoy = slice(inner.build(), 12, 1000);
    BinBuilder b;
    b.chunk(tag(" XYZ"), decoy).chunk(tag("\0TXT"), pattern(13, 4)).entry(" TEX", "real", pattern(3, 1)).end();
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0], (TEntryRec{b.dataOffset(0), 3, "real", 0}));
}

TEST(BinReader, TagWithABlankFirstByteCountsLikeAZeroOne) {
    TempDir dir;
    BinBuilder b;
    Bytes payload = slice([] {
        BinBuilder x;
        x.entry(" NAV", "spaced", pattern(2, 1));
        return x.build();
    }(), 20, 1000);
    b.chunk(tag(" NAV"), payload).end();
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].Name, "spaced");
    EXPECT_EQ(r.entries[0].Size, 2u);
}

TEST(BinReader, ChunksAfterTheEndAreNotRead) {
    TempDir dir;
    BinBuilder b;
    b.entry(" TEX", "a", {}).end().entry(" TEX", "after", {});
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    EXPECT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 1u);
}

TEST(BinReader, ZeroByteEndsOnlyItsOwnGroup) {
    TempDir dir;
    BinBuilder b;
    b.entry(" TEX", std::string("ab\0dEFGHij", 10), pattern(1, 1)).end();
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].Name, "abEFGHij");
    EXPECT_EQ(r.entries[0].Offset, b.dataOffset(0));
}

TEST(BinReader, LongNameIsCutAndTheDataPositionStaysRight) {
    TempDir dir;
    BinBuilder b;
    b.entry(" TEX", std::string(601, 'n'), pattern(5, 1)).entry(" TEX", "second", pattern(2, 2)).end();
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (TEntryRec{b.dataOffset(0), 5, std::string(511, 'n'), 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{b.dataOffset(1), 2, "second", 0}));
}

struct BadChunkCase {
    const char* what;
    Bytes tag;
    Bytes payload;
    std::optional<uint32_t> length;
};

class BinBadChunkTest : public ::testing::TestWithParam<BadChunkCase> {};

TEST_P(BinBadChunkTest, FailsWithoutLoopingKeepingTheEntriesBefore) {
    TempDir dir;
    const auto& c = GetParam();
    BinBuilder b;
    b.entry(" TEX", "kept", pattern(3, 1)).chunk(c.tag, c.payload, c.length).end();
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    EXPECT_EQ(r.error, "Read beyond end of file") << c.what;
    ASSERT_GE(r.entries.size(), 1u) << c.what;
    EXPECT_EQ(r.entries[0].Name, "kept");
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, BinBadChunkTest,
    ::testing::Values(BadChunkCase{"length 0", tag(" XYZ"), {}, 0u},
                      BadChunkCase{"length 3", tag(" XYZ"), {1, 2, 3}, 3u},
                      BadChunkCase{"length past the end", tag(" XYZ"), {}, 0xFFFFFFFFu},
                      BadChunkCase{"entry chunk with length 0", tag("\0TEX"), Bytes(48, 0), 0u},
                      BadChunkCase{"name length past the end", tag("\0TEX"), {0xF0, 0xFF, 0xFF, 0xFF}, {}},
                      BadChunkCase{"info block cut short", tag("\0NAV"), {1, 0, 0, 0, 'a', 0, 0, 0, 9}, 0xFFFFFF00u}));

TEST(BinReader, MissingEndChunkRunsIntoTheEndOfTheFile) {
    TempDir dir;
    BinBuilder b;
    b.entry(" TEX", "a", pattern(2, 1)).entry(" NAV", "b", pattern(2, 2));
    b.write(dir.file("a.bin"));
    auto r = readDirectoryOf(readBinDirectory, dir.file("a.bin"));
    EXPECT_EQ(r.error, "Read beyond end of file");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[1].Name, "b");
}
