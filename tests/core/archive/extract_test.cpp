#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "core/archive/extract.h"
#include "core/archive/open_archive.h"
#include "core/io/errors.h"
#include "core/io/file_copy.h"
#include "core/io/file_system.h"
#include "core/io/write_faults.h"
#include "support/archive_builders.h"
#include "support/archive_checks.h"
#include "support/img_builder.h"
#include "support/permissions.h"
#include "support/temp_dir.h"
#include "support/error_of.h"
#include "support/far_entry.h"

using namespace varmelo;
using namespace testing_support;

namespace {

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(ExtractTest, AnImgEntryIsCopiedWithItsWholeSectors) {
    TempDir dir;
    ImgBuilder().add("a.txd", pattern(5000, 1)).add("empty", Bytes{}).writeV2(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    SaveEntryToFile(a, 0, dir.file("out"));
    Bytes out = readFile(dir.file("out"));
    ASSERT_EQ(out.size(), 6144u);
    EXPECT_EQ(slice(out, 0, 5000), pattern(5000, 1));
    EXPECT_EQ(slice(out, 5000, 1144), Bytes(1144, 0));
    writeFile(dir.file("out2"), "old content");
    SaveEntryToFile(a, 1, dir.file("out2"));
    EXPECT_EQ(fileSize(dir.file("out2")), 0u);
}

TEST(ExtractTest, ByteKindsCopyTheirByteRangeAndARangePastTheEndIsCutSilently) {
    TempDir dir;
    Bytes file = pattern(300, 2);
    writeFile(dir.file("x.syb"), file);
    Archive a;
    a.ArchivePath = dir.file("x.syb");
    a.ArchiveKind = TArchiveKind::akSyb;
    a.Entries = {{100, 10, "f.dds", 0}, {290, 50, "g.dds", 0}, {400, 5, "h", 0}};
    SaveEntryToFile(a, 0, dir.file("f"));
    EXPECT_EQ(readFile(dir.file("f")), slice(file, 100, 10));
    SaveEntryToFile(a, 1, dir.file("g"));
    EXPECT_EQ(readFile(dir.file("g")), slice(file, 290, 10));
    SaveEntryToFile(a, 2, dir.file("h"));
    EXPECT_TRUE(readFile(dir.file("h")).empty());
    EXPECT_THROW(SaveEntryToFile(a, 3, dir.file("i")), UsageError);
}

TEST(ExtractTest, ExtractingOntoTheArchiveItselfIsRefused) {
    TempDir dir;
    ImgBuilder().add("a.txd", pattern(10, 1)).writeV2(dir.file("a.img"));
    const Bytes before = readFile(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    EXPECT_THROW(SaveEntryToFile(a, 0, dir.file("a.img")), UsageError);
    EXPECT_EQ(readFile(dir.file("a.img")), before);
}

TEST(ExtractTest, AFullDiskIsReportedAsSuch) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
    TempDir dir;
    ImgBuilder().add("a.txd", pattern(10, 1)).writeV2(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    try {
        SaveEntryToFile(a, 0, "/dev/full");
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Disk full");
    }
}

// The copy is a write step of its own, in the kernel or through the buffer: a disk that fills
// up there is reported as full, and what was written before stays.
TEST(ExtractTest, ADiskFullAtTheCopyIsReportedAsSuch) {
    TempDir dir;
    ImgBuilder().add("a.txd", pattern(5000, 1)).writeV2(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    for (int kernelAnswer : {0, EXDEV}) {
        SCOPED_TRACE(kernelAnswer);
        kernel_copy::simulate(kernelAnswer);
        write_faults::failOnlyAt(2);  // 1 creates the file, 2 copies
        EXPECT_EQ(errorOf([&] { SaveEntryToFile(a, 0, dir.file("out")); }), "Disk full");
        write_faults::disarm();
        kernel_copy::simulate(0);
        EXPECT_EQ(fileSize(dir.file("out")), 0u);
    }
}

TEST(ExtractTest, AReadOnlyArchiveCanBeExtracted) {
    TempDir dir;
    ImgBuilder().add("a.txd", pattern(10, 1)).writeV1(dir.file("a.img"));
    PermissionSandbox sandbox(dir.path());
    if (!sandbox.available()) GTEST_SKIP() << "permission bits cannot be enforced here";
    ::chmod(dir.file("a.img").c_str(), 0444);
    ::chmod(dir.file("a.dir").c_str(), 0444);
    int code = sandbox.run([&] {
        Archive a = openArchive(dir.file("a.img"));
        SaveEntryToFile(a, 0, dir.file("out"));
        return readFile(dir.file("out")).size() == 2048 ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}

TEST(ExtractTest, AnEntryFarBeyondFourGigabytesIsRead) {
    TempDir dir;
    std::string img = dir.file("huge.img");
    writeFarEntryArchive(img, pattern(2048, 3));
    Archive a = openArchive(img);
    SaveEntryToFile(a, 0, dir.file("out"));
    EXPECT_EQ(readFile(dir.file("out")), pattern(2048, 3));
}

struct NameCase {
    const char* name;
    const char* upperExt;
    const char* dotExt;
    const char* proposed;
};

class EntryNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(EntryNameTest, ExtensionAndProposedName) {
    const NameCase& c = GetParam();
    EXPECT_EQ(entryExtension(c.name), c.upperExt);
    EXPECT_EQ(entryDotExtension(c.name), c.dotExt);
    EXPECT_EQ(proposedFileName(c.name), c.proposed);
}

INSTANTIATE_TEST_SUITE_P(Names, EntryNameTest,
                         ::testing::Values(NameCase{"vehicle.txd", "TXD", ".txd", "vehicle.txd"},
                                           NameCase{"textures\\wall.tga", "TGA", ".tga", "wall.tga"},
                                           NameCase{"maps/a.b/c.Dff", "DFF", ".Dff", "c.Dff"},
                                           NameCase{"noext", "", "", "noext"},
                                           NameCase{"dir.v2\\file", "", "", "file"},
                                           NameCase{"dir.v2/file", "", "", "file"},
                                           NameCase{"c.d:stream", "", "", "c.d:stream"},
                                           NameCase{"\xe0\xe1.txd", "TXD", ".txd", "\xe0\xe1.txd"}));

TEST(FolderDestinationTest, BothSeparatorsNameSubfolders) {
    EXPECT_EQ(folderDestination("/out", "textures\\wall.tga"), "/out/textures/wall.tga");
    EXPECT_EQ(folderDestination("/out/", "a/b\\c.txd"), "/out/a/b/c.txd");
    EXPECT_EQ(folderDestination("/out", "a//./b.txd"), "/out/a/b.txd");
    EXPECT_EQ(folderDestination("/out", "a/../b.txd"), "/out/b.txd");
    EXPECT_EQ(folderDestination("/", "b.txd"), "/b.txd");
}

TEST(FolderDestinationTest, NamesThatLeaveTheFolderAreRefusedNamingTheEntry) {
    for (const char* bad : {"../evil.txd", "a\\..\\..\\evil", "/etc/passwd", "\\abs", "", "a/..", "."}) {
        try {
            folderDestination("/out", bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("\"") + bad + "\""), std::string::npos) << e.what();
        }
    }
}

TEST(FolderDestinationTest, ParentFoldersAreCreatedInsideTheFolderOnly) {
    TempDir dir;
    createParentFolders(dir.path(), "a\\b/c.txd");
    EXPECT_TRUE(directoryExists(dir.file("a/b")));
    EXPECT_FALSE(fileExists(dir.file("a/b/c.txd")));
    EXPECT_THROW(createParentFolders(dir.path(), "../x/y.txd"), UsageError);
    TempDir outside;
    ASSERT_EQ(::symlink(outside.path().c_str(), dir.file("link").c_str()), 0);
    EXPECT_THROW(createParentFolders(dir.path(), "link/y/z.txd"), UsageError);
    EXPECT_FALSE(directoryExists(outside.file("y")));
}

TEST(FolderDestinationTest, AMissingSubfolderFailsTheCopy) {
    TempDir dir;
    ImgBuilder().add("textures\\wall.tga", pattern(10, 1)).writeV2(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    std::string dest = folderDestination(dir.path(), a.Entries[0].Name);
    EXPECT_THROW(SaveEntryToFile(a, 0, dest), FileError);
    createParentFolders(dir.path(), a.Entries[0].Name);
    SaveEntryToFile(a, 0, dest);
    EXPECT_EQ(fileSize(dir.file("textures/wall.tga")), 2048u);
}

// What may already stand where an entry is extracted, and whether the entry is refused; the
// file outside the folder is never written, the entries around it always are.
TEST(SaveEntryIntoFolderTest, NothingAlreadyInThePlaceIsWrittenThrough) {
    struct Case {
        const char* what;
        std::function<void(const TempDir& out, const std::string& victim)> plant;
        bool refused;
    };
    const std::vector<Case> cases = {
        {"nothing", [](const TempDir&, const std::string&) {}, false},
        {"a plain file", [](const TempDir& out, const std::string&) { writeFile(out.file("lnk"), "old"); }, false},
        {"a symbolic link to a file outside",
         [](const TempDir& out, const std::string& victim) {
             ASSERT_EQ(::symlink(victim.c_str(), out.file("lnk").c_str()), 0);
         },
         true},
        {"a dangling symbolic link",
         [](const TempDir& out, const std::string& victim) {
             ASSERT_EQ(::symlink((victim + ".new").c_str(), out.file("lnk").c_str()), 0);
         },
         true},
        {"a hard link to a file outside",
         [](const TempDir& out, const std::string& victim) {
             ASSERT_EQ(::link(victim.c_str(), out.file("lnk").c_str()), 0);
         },
         true},
        {"a folder", [](const TempDir& out, const std::string&) { ASSERT_EQ(::mkdir(out.file("lnk").c_str(), 0777), 0); },
         true},
        {"a named pipe", [](const TempDir& out, const std::string&) { ASSERT_EQ(::mkfifo(out.file("lnk").c_str(), 0666), 0); },
         true},
    };
    TempDir dir;
    ImgBuilder().add("first", pattern(10, 1)).add("lnk", pattern(20, 2)).add("last", pattern(30, 3))
        .writeV2(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir out, outside;
        const std::string victim = outside.file("victim.txt");
        writeFile(victim, "precious");
        c.plant(out, victim);
        EXPECT_EQ(SaveEntryIntoFolder(a, 0, out.path()), out.file("first"));
        if (c.refused) {
            try {
                SaveEntryIntoFolder(a, 1, out.path());
                ADD_FAILURE() << "not refused";
            } catch (const UsageError& e) {
                EXPECT_NE(std::string(e.what()).find("\"lnk\""), std::string::npos) << e.what();
            }
        } else {
            SaveEntryIntoFolder(a, 1, out.path());
            EXPECT_EQ(slice(readFile(out.file("lnk")), 0, 20), pattern(20, 2));
        }
        SaveEntryIntoFolder(a, 2, out.path());
        EXPECT_EQ(slice(readFile(out.file("last")), 0, 30), pattern(30, 3));
        EXPECT_EQ(readFile(victim), bytesOf("precious"));
        EXPECT_FALSE(fileExists(victim + ".new"));
    }
}

TEST(SaveEntryIntoFolderTest, FolderEntriesWriteNothingAndNamesBecomeUtf8) {
    TempDir dir, out;
    ZipBuilder().add("META-INF/", {}).add("META-INF/MANIFEST.MF", bytesOf("Manifest-Version: 1.0\n"))
        .add("def\\", {}).add("\xCC\xE0\xF8\xE8\xED\xE0.txt", bytesOf("car"))  // "Машина" in Windows-1251
        .write(dir.file("a.pk4"));
    Archive a = openArchive(dir.file("a.pk4"));
    ASSERT_EQ(a.Entries.size(), 4u);
    EXPECT_TRUE(isFolderEntry(a.Entries[0].Name));
    EXPECT_TRUE(isFolderEntry(a.Entries[2].Name));
    EXPECT_FALSE(isFolderEntry(a.Entries[1].Name));
    EXPECT_EQ(SaveEntryIntoFolder(a, 0, out.path()), "");
    EXPECT_FALSE(fileExists(out.file("META-INF")));
    createParentFolders(out.path(), a.Entries[0].Name);
    EXPECT_TRUE(directoryExists(out.file("META-INF")));
    createParentFolders(out.path(), a.Entries[1].Name);
    SaveEntryIntoFolder(a, 1, out.path());
    EXPECT_EQ(readFile(out.file("META-INF/MANIFEST.MF")), bytesOf("Manifest-Version: 1.0\n"));
    SaveEntryIntoFolder(a, 3, out.path());
    EXPECT_EQ(readFile(out.file("\u041C\u0430\u0448\u0438\u043D\u0430.txt")), bytesOf("car"));
}

TEST(OpenTempPathTest, NamedAfterTheByteOffsetInThePrivateTemporaryFolder) {
    Archive a;
    a.ArchiveKind = TArchiveKind::akImgV2;
    a.Entries = {{0x12345, 1, "car.txd", 8}, {3'000'000, 1, "noext", 40}, {7, 1, "x.dff", 72}};
    const std::string tmp = privateTempFolder();
    EXPECT_EQ(openTempPath(a, 0), tmp + "img091A2800.txd");
    EXPECT_EQ(openTempPath(a, 1), tmp + "img6E360000");  // 6 144 000 000 cut to 32 bits
    EXPECT_EQ(openTempPath(a, 0), openTempPath(a, 0));
    a.ArchiveKind = TArchiveKind::akSyb;  // multiplied whatever the kind
    EXPECT_EQ(openTempPath(a, 2), tmp + "img00003800.dff");
}

}  // namespace
