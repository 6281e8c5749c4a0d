#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/archive/open_archive.h"
#include "core/archive/readers.h"
#include "core/io/errors.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// One raw 32-byte directory record.
Bytes imgRecord(uint32_t offset, uint32_t size, const std::string& name) {
    Bytes r(32, 0);
    for (int k = 0; k < 4; ++k) {
        r[size_t(k)] = uint8_t(offset >> (8 * k));
        r[size_t(4 + k)] = uint8_t(size >> (8 * k));
    }
    std::memcpy(r.data() + 8, name.data(), std::min<size_t>(name.size(), 24));
    return r;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes ver2(uint32_t count, const Bytes& records) {
    // Sized once and filled: inserting after an 8-byte start makes GCC 12 at -O3 warn of a
    // write out of bounds (-Warray-bounds) that cannot happen.
    Bytes out(8 + records.size());
    const uint8_t head[8] = {'V', 'E', 'R', '2', uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
    std::copy(head, head + 8, out.begin());
    std::copy(records.begin(), records.end(), out.begin() + 8);
    return out;
}

}  // namespace

TEST(ImgV1Reader, NinetySixBytesGiveThreeEntriesWithTheirRecordPositions) {
    TempDir dir;
    writeFile(dir.file("a.dir"), concat({imgRecord(1, 2, "one.dff"), imgRecord(3, 4, "two.txd"), imgRecord(7, 1, "three.col")}));
    auto r = readDirectoryOf(readImgV1Directory, dir.file("a.dir"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 3u);
    EXPECT_EQ(r.entries[0], (TEntryRec{1, 2, "one.dff", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{3, 4, "two.txd", 32}));
    EXPECT_EQ(r.entries[2], (TEntryRec{7, 1, "three.col", 64}));
}

TEST(ImgV1Reader, TwentyFourCharacterNameDoesNotRunIntoTheNextRecord) {
    TempDir dir;
    std::string full = "abcdefghijklmnopqrstuvwx";
    writeFile(dir.file("a.dir"), concat({imgRecord(1, 1, full), imgRecord(0x44434241, 2, "next")}));
    auto r = readDirectoryOf(readImgV1Directory, dir.file("a.dir"));
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].Name, full);
    EXPECT_EQ(r.entries[1].Name, "next");
}

TEST(ImgV2Reader, RecordsSitAfterTheHeaderAndSizeIsOneWord) {
    TempDir dir;
    // Bytes 4..7 of the second record are 10 00 01 00.
    writeFile(dir.file("a.img"), ver2(2, concat({imgRecord(1, 3, "a.txd"), imgRecord(4, 0x00010010, "b.dff")})));
    auto r = readDirectoryOf(readImgV2Directory, dir.file("a.img"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (TEntryRec{1, 3, "a.txd", 8}));
    EXPECT_EQ(r.entries[1], (TEntryRec{4, 65552, "b.dff", 40}));
}

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

}  // namespace
