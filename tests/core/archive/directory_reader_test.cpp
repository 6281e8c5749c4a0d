#include <gtest/gtest.h>

#include <numeric>

#include "core/archive/readers.h"
#include "core/io/errors.h"
#include "support/archive_builders.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// An archive object left over from an earlier load, with a sorted and filtered row map.
Archive staleArchive(const std::string& path, TArchiveKind kind) {
    Archive a;
    a.ArchivePath = path;
    a.DirPath = path;
    a.ArchiveKind = kind;
    a.Entries.assign(5, TEntryRec{9, 9, "old", 0});
    a.RowMap = {4, 3, 2, 1, 0};
    a.RowCount = 2;
    return a;
}

void expectIdentityRowMap(const Archive& a) {
    std::vector<uint32_t> identity(a.Entries.size());
    std::iota(identity.begin(), identity.end(), 0u);
    EXPECT_EQ(a.RowMap, identity);
    EXPECT_EQ(a.RowCount, a.Entries.size());
}

}  // namespace

TEST(ReadDirectory, ReplacesTheTableAndLeavesTheRowMapTheIdentity) {
    TempDir dir;
    SybBuilder().add("a", {1}).add("b", {2}).add("c", {3}).write(dir.file("a.syb"));
    Archive a = staleArchive(dir.file("a.syb"), TArchiveKind::akSyb);
    ReadDirectory(a);
    ASSERT_EQ(a.Entries.size(), 3u);
    EXPECT_EQ(a.Entries[2].Name, "c");
    expectIdentityRowMap(a);
}

TEST(ReadDirectory, AfterAFailureTheRowMapCoversWhatWasRead) {
    TempDir dir;
    PakBuilder().add("a", {}).add("b", {}).statedCount(1000).write(dir.file("a.pak"));
    Archive a = staleArchive(dir.file("a.pak"), TArchiveKind::akPak);
    try {
        ReadDirectory(a);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    ASSERT_EQ(a.Entries.size(), 2u);
    EXPECT_EQ(a.Entries[1].Name, "b");
    expectIdentityRowMap(a);
}

TEST(ReadDirectory, MissingFileEmptiesTheTable) {
    TempDir dir;
    Archive a = staleArchive(dir.file("gone.big"), TArchiveKind::akBig);
    EXPECT_THROW(ReadDirectory(a), FileError);
    EXPECT_TRUE(a.Entries.empty());
    expectIdentityRowMap(a);
}
