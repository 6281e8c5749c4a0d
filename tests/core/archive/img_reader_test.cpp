#include <gtest/gtest.h>

#include "core/archive/open_archive.h"
#include "core/archive/readers.h"
#include "core/io/errors.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

TEST(OpenArchive, ChoosingTheDirFileOpensThePair) {
    TempDir dir;
    ImgBuilder().add("a.txd", "x").writeV1(dir.file("gta3.img"));
    Archive a = openArchive(dir.file("gta3.DIR"));
    EXPECT_EQ(a.ArchivePath, dir.file("gta3.img"));
    EXPECT_EQ(a.DirPath, dir.file("gta3.dir"));
    EXPECT_EQ(a.ArchiveKind, TArchiveKind::akImgV1);
    ASSERT_EQ(a.Entries.size(), 1u);
    EXPECT_EQ(a.Entries[0].Name, "a.txd");
}

TEST(OpenArchive, SingleFileFormUsesItselfAsDirectory) {
    TempDir dir;
    ImgBuilder().add("a", "x").add("b", "y").writeV2(dir.file("x.img"));
    Archive a = openArchive(dir.file("x.img"));
    EXPECT_EQ(a.DirPath, a.ArchivePath);
    ASSERT_EQ(a.Entries.size(), 2u);
    EXPECT_EQ(a.Entries[0].DirPos, 8u);
    EXPECT_EQ(a.Entries[1].DirPos, 40u);
    EXPECT_EQ(a.RowMap, (TRowMap{0, 1}));
    EXPECT_EQ(a.RowCount, 2u);
}

TEST(OpenArchive, MissingDirectoryFileIsNotFound) {
    TempDir dir;
    writeFile(dir.file("lone.img"), Bytes(16, 1));
    Archive located = locateArchive(dir.file("lone.img"));
    EXPECT_TRUE(directoryFileMissing(located));
    EXPECT_THROW(openArchive(dir.file("lone.img")), FileError);
}

TEST(ImgV2Reader, HugeCountFailsFastKeepingTheRealRecords) {
    TempDir dir;
    ImgBuilder().add("one", "1").add("two", "2").writeV2(dir.file("x.img"));
    auto bytes = readFile(dir.file("x.img"));
    bytes[4] = bytes[5] = bytes[6] = bytes[7] = 0xFF;  // 4 294 967 295 entries
    bytes.resize(8 + 64);                              // only two records remain
    writeFile(dir.file("x.img"), bytes);
    Archive a = locateArchive(dir.file("x.img"));
    try {
        ReadDirectory(a);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    ASSERT_EQ(a.Entries.size(), 2u);
    EXPECT_EQ(a.Entries[1].Name, "two");
    EXPECT_EQ(a.RowMap, (TRowMap{0, 1}));
    EXPECT_LT(a.Entries.capacity(), 1000u);
}

}  // namespace
