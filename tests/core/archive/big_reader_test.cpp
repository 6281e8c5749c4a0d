#include <gtest/gtest.h>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

TEST(BigReader, DirectoryFieldsAreBigEndian) {
    TempDir dir;
    // H = 38: the directory ends at byte 30, after one 14-byte record.
    writeFile(dir.file("a.big"), Bytes{'B', 'I', 'G', 'F', 9, 9, 9, 9, 9, 9, 9, 9, 0, 0, 0, 38,
                                       0, 0, 1, 0, 0, 0, 0, 7, 'x', '.', 't', 'x', 'd', 0});
    auto r = readDirectoryOf(readBigDirectory, dir.file("a.big"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0], (TEntryRec{256, 7, "x.txd", 0}));
}

TEST(BigReader, BuiltArchiveListsEveryEntryInOrder) {
    TempDir dir;
    BigBuilder b;
    b.add("models/a.dff", pattern(100, 1)).add("b.txd", pattern(3, 2)).add("", pattern(9, 3));
    b.write(dir.file("a.big"));
    auto r = readDirectoryOf(readBigDirectory, dir.file("a.big"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[0], (TEntryRec{b.dataOffset(0), 100, "models/a.dff", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{b.dataOffset(1), 3, "b.txd", 0}));
    EXPECT_EQ(r.entries[2], (TEntryRec{b.dataOffset(2), 9, "", 0}));
}

class BigShortDirectoryTest : public ::testing::TestWithParam<uint32_t> {};

TEST_P(BigShortDirectoryTest, EndAtOrBeforeTheFirstRecordListsNothing) {
    TempDir dir;
    BigBuilder().add("a", Bytes(4, 'x')).statedH(GetParam()).write(dir.file("a.big"));
    auto r = readDirectoryOf(readBigDirectory, dir.file("a.big"));
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.entries.empty());
}

// H below 8 must not wrap round to a directory that runs to the end of the file.
INSTANTIATE_TEST_SUITE_P(Ends, BigShortDirectoryTest, ::testing::Values(0u, 7u, 8u, 24u));

TEST(BigReader, LongNameIsCutAndTheNextRecordStillLinesUp) {
    TempDir dir;
    BigBuilder b;
    b.add(std::string(1000, 'q'), pattern(5, 1)).add("after", pattern(6, 2));
    b.write(dir.file("a.big"));
    auto r = readDirectoryOf(readBigDirectory, dir.file("a.big"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].Name, std::string(511, 'q'));
    EXPECT_EQ(r.entries[1], (TEntryRec{b.dataOffset(1), 6, "after", 0}));
}
