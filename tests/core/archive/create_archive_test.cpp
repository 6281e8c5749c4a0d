#include <gtest/gtest.h>

#include "core/archive/create_archive.h"
#include "core/archive/open_archive.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

TEST(NewArchivePathTest, AddsImgOnlyWhenTheNameHasNoExtension) {
    EXPECT_EQ(newArchivePath("/d/new"), "/d/new.img");
    EXPECT_EQ(newArchivePath("/d/new.dat"), "/d/new.dat");
    EXPECT_EQ(newArchivePath("/d.x/new"), "/d.x/new.img");  // a dot in a folder is no extension
}

TEST(CreateArchiveTest, SanAndreasFormIsOneSectorWithAnEmptyDirectory) {
    TempDir dir;
    std::string path = dir.file("new.img");
    writeFile(path, pattern(10000, 1));  // an existing file is emptied
    CreateArchive(path, NewArchiveForm::SanAndreas);
    Bytes expect(2048, 0);
    std::copy_n("VER2", 4, expect.begin());
    EXPECT_EQ(readFile(path), expect);
    Archive a = openArchive(path);
    EXPECT_EQ(a.ArchiveKind, TArchiveKind::akImgV2);
    EXPECT_TRUE(a.Entries.empty());
}

TEST(CreateArchiveTest, ViceCityFormIsAnEmptyDataFileAndAnEmptyDirFile) {
    TempDir dir;
    std::string path = dir.file("new.dat");
    writeFile(dir.file("new.dir"), pattern(64, 1));  // replaced without a question
    CreateArchive(path, NewArchiveForm::ViceCity);
    EXPECT_EQ(fileSize(path), 0u);
    EXPECT_EQ(fileSize(dir.file("new.dir")), 0u);
    Archive a = openArchive(path);
    EXPECT_EQ(a.ArchiveKind, TArchiveKind::akImgV1);
    EXPECT_EQ(a.DirPath, dir.file("new.dir"));
    EXPECT_TRUE(a.Entries.empty());
}

TEST(CreateArchiveTest, AFolderThatDoesNotExistFails) {
    TempDir dir;
    EXPECT_THROW(CreateArchive(dir.file("no/such.img"), NewArchiveForm::SanAndreas), FileError);
}

}  // namespace
