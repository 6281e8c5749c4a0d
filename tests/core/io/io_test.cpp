#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/io/write_faults.h"
#include "support/read_only.h"
#include "support/temp_dir.h"
#include "support/error_of.h"

using namespace varmelo;
using namespace testing_support;

namespace {

TEST(Errors, ErrnoMapsToTheProgramsTexts) {
    EXPECT_EQ(errnoText(ENOENT), "File not found");
    EXPECT_EQ(errnoText(ENOTDIR), "File not found");
    EXPECT_EQ(errnoText(EACCES), "File access denied");
    EXPECT_EQ(errnoText(EPERM), "File access denied");
    EXPECT_EQ(errnoText(EROFS), "File access denied");
    EXPECT_EQ(errnoText(ENOSPC), "Disk full");
    EXPECT_EQ(errnoText(EIO), "I/O error 5");
}

TEST(BinaryFile, ReadsExactlyOrReportsReadBeyondEnd) {
    TempDir dir;
    writeFile(dir.file("f"), Bytes{1, 2, 3, 4, 5});
    BinaryFile f = BinaryFile::openRead(dir.file("f"));
    EXPECT_EQ(f.size(), 5u);
    f.seek(1);
    EXPECT_EQ(f.readU32le(), 0x05040302u);
    uint8_t buf[4];
    f.seek(3);
    EXPECT_EQ(f.readSome(buf, 4), 2u);
    f.seek(3);
    EXPECT_EQ(errorOf([&] { f.readExact(buf, 4); }), "Read beyond end of file");
}

TEST(BinaryFile, MissingFilesAndFoldersAreNotFound) {
    TempDir dir;
    EXPECT_EQ(errorOf([&] { BinaryFile::openRead(dir.file("none")); }), "File not found");
    EXPECT_EQ(errorOf([&] { BinaryFile::create(dir.file("none/x")); }), "File not found");
    EXPECT_EQ(errorOf([&] { BinaryFile::openRead(dir.path()); }), "File access denied");
}

TEST(BinaryFile, ReadOnlyFilesOpenForReadingOnly) {
    TempDir dir;
    writeFile(dir.file("ro"), Bytes{9});
    ReadOnlyFile ro(dir.file("ro"));
    EXPECT_EQ(BinaryFile::openRead(dir.file("ro")).size(), 1u);
    if (!ro.effective()) GTEST_SKIP() << "this file system cannot make the file read-only for us";
    EXPECT_EQ(errorOf([&] { BinaryFile::openReadWrite(dir.file("ro")); }), "File access denied");
    EXPECT_EQ(errorOf([&] { requireWritable(dir.file("ro")); }), "File access denied");
}

TEST(BinaryFile, WritesBeyondTwoGibibytes) {
    TempDir dir;
    BinaryFile f = BinaryFile::create(dir.file("big"));
    const uint64_t at = (uint64_t(1) << 32) + 7;  // past 4 GiB, as a sparse file
    f.seek(at);
    f.writeU32le(0xA1B2C3D4);
    EXPECT_EQ(f.size(), at + 4);
    f.seek(at);
    EXPECT_EQ(f.readU32le(), 0xA1B2C3D4u);
}

TEST(BinaryFile, FullDiskIsReported) {
    if (access("/dev/full", W_OK) != 0) GTEST_SKIP();
    BinaryFile f = BinaryFile::openReadWrite("/dev/full");
    EXPECT_EQ(errorOf([&] { f.writeU32le(1); }), "Disk full");
}

TEST(WriteFaults, TheArmedStepAndEveryLaterOneFail) {
    TempDir dir;
    BinaryFile f = BinaryFile::create(dir.file("w"));
    write_faults::failAt(2);
    f.writeU32le(1);
    EXPECT_EQ(errorOf([&] { f.writeU32le(2); }), "I/O error 5");
    EXPECT_EQ(errorOf([&] { f.truncate(0); }), "I/O error 5");
    write_faults::disarm();
    EXPECT_EQ(readFile(dir.file("w")), (Bytes{1, 0, 0, 0}));
}

TEST(Paths, ExtensionsAndFolders) {
    EXPECT_EQ(extensionOf("/a.b/c"), "");
    EXPECT_EQ(extensionOf("/a/c.IMG"), ".IMG");
    EXPECT_EQ(replaceExtension("/a.b/gta3", ".dir"), "/a.b/gta3.dir");
    EXPECT_EQ(replaceExtension("/a/gta3.img", ".~new"), "/a/gta3.~new");
    EXPECT_EQ(fileNameOf("/a/b/c.txd"), "c.txd");
    EXPECT_EQ(folderOf("/a/b/c.txd"), "/a/b");
    EXPECT_EQ(folderOf("c.txd"), ".");
}

TEST(Paths, PrivateTempFolderIsOnlyOurs) {
    TempDir dir;
    setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    std::string folder = privateTempFolder();
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(folder, dir.path() + "/varmelo/");
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

// The table must agree with the system's own converter for every byte it defines.
TEST(Codepage, AgreesWithIconvOnEveryDefinedByte) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    ASSERT_NE(cd, iconv_t(-1));
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98) continue;  // no character in Windows-1251
        char in[1] = {char(b)};
        char out[8] = {};
        char* ip = in;
        char* op = out;
        size_t il = 1, ol = sizeof out;
        ASSERT_NE(iconv(cd, &ip, &il, &op, &ol), size_t(-1)) << b;
        std::string expected(out, sizeof out - ol);
        EXPECT_EQ(cp1251ToUtf8(std::string(1, char(b))), expected) << "byte " << b;
        EXPECT_EQ(utf8ToCp1251(expected), std::string(1, char(b))) << "byte " << b;
    }
    iconv_close(cd);
}

TEST(Codepage, RejectsWhatWindows1251CannotHold) {
    EXPECT_EQ(utf8ToCp1251("\xE4\xB8\xAD"), std::nullopt);  // a CJK character
    EXPECT_EQ(utf8ToCp1251("\xC3\xA9"), std::nullopt);      // é
    EXPECT_EQ(utf8ToCp1251("\xFF"), std::nullopt);          // not UTF-8
    EXPECT_EQ(utf8ToCp1251("\xD0"), std::nullopt);          // cut short
    EXPECT_EQ(utf8ToCp1251("\xD0\x9F\xD1\x80\xD0\xB8"), std::string("\xCF\xF0\xE8"));  // При
}

TEST(Codepage, UpperCasing) {
    EXPECT_EQ(asciiUpper(std::string("vehicle.txd\xE0")), "VEHICLE.TXD\xE0");
    EXPECT_EQ(cp1251Upper(std::string("ab\xE0\xFF\xB8")), "AB\xC0\xDF\xA8");
}

}  // namespace
