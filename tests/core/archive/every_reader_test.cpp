// Every directory reader against the same damage: an archive with no entries, a file of no
// bytes, a missing file, a file cut inside its last record, a count or directory length far
// beyond the file, cuts at every length and random bit flips. Each read must end cleanly or
// with a FileError/FormatError, keep only whole entries, and never size its table beyond what
// the file could hold. What is particular to one kind stays in that kind's own test file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

constexpr const char* kBeyondEnd = "Read beyond end of file";

// A valid archive of three entries and where its third record (or header) begins.
struct Sample {
    Bytes bytes;
    size_t lastRecord;
};

struct ReaderCase {
    const char* kind;
    DirectoryReader reader;
    Sample (*sample)();
    Bytes (*empty)();              // a valid archive without entries
    const char* zeroBytesError;    // reading a file of no bytes
    const char* cutAtLastRecord;   // the file ending where the third record would begin
    void (*overstate)(Bytes&);     // states a count or directory length beyond the file; null
                                   // where the file's own length is the count
};

void putU32le(Bytes& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}

Sample imgDirectory() {
    TempDir dir;
    ImgBuilder().add("a.dff", pattern(10, 1)).add("bbbbbbbbbbbbbbbbbbbbbbbb", pattern(3000, 2)).add("c", Bytes{}).writeV1(dir.file("a.img"));
    return {readFile(dir.file("a.dir")), 2 * 32};
}

Sample imgVer2() {
    TempDir dir;
    ImgBuilder().add("a.dff", pattern(10, 1)).add("b.txd", pattern(30, 2)).add("c", Bytes{}).writeV2(dir.file("a.img"));
    // The data itself is never read; a little of it stays so that the records are not the end.
    return {slice(readFile(dir.file("a.img")), 0, 8 + 3 * 32 + 16), 8 + 2 * 32};
}

Sample syb() {
    // Records: "a.bmp" + NUL + size is 10 bytes, "" + NUL + size is 5.
    return {SybBuilder().add("a.bmp", pattern(9, 1)).add("", pattern(4, 2)).add("c.txt", pattern(20, 3)).build(),
            8 + 10 + 5};
}

Sample big() {
    // Records from byte 16: offset, size, "a.dff" + NUL is 14 bytes, then "b" + NUL is 10.
    return {BigBuilder().add("a.dff", pattern(9, 1)).add("b", pattern(4, 2)).add("cc.txd", pattern(20, 3)).build(),
            16 + 14 + 10};
}

Sample pk4() {
    ZipBuilder::Options extra;
    extra.extra = {9, 9, 4, 0, 1, 2, 3, 4};
    ZipBuilder::Options utf8;
    utf8.utf8Name = true;
    ZipBuilder::Options deferred;
    deferred.dataDescriptor = true;
    ZipBuilder z;
    z.add("def/a.def", pattern(12, 1), extra).add("\xd0\xb0.txt", pattern(5, 3), utf8).add("b.tga", pattern(20, 2), deferred).comment("c");
    return {z.build(), z.dataOffset(2) - 30 - 5};
}

Sample bin() {
    BinBuilder b;
    b.entry(" TEX", "wall1", pattern(9, 1)).chunk({0, 'X', 'Y', 'Z'}, pattern(6, 2)).entry(" NAV", "navi", pattern(4, 3)).entry(" TEX", "", {}).end();
    // The third entry chunk: its head (8), the name length (4), no name groups, the info block (40).
    return {b.build(), b.dataOffset(2) - 8 - 4 - 40};
}

Sample pak() {
    return {PakBuilder().add("a.bmp", pattern(9, 1)).add(std::string(128, 'n'), {}).add("c", pattern(3, 3)).build(),
            8 + 2 * 156};
}

Bytes noBytes() { return {}; }
Bytes emptyVer2() { return {'V', 'E', 'R', '2', 0, 0, 0, 0}; }
Bytes emptySyb() { return {'V', 'X', 'B', 'G', 0, 0, 0, 0, 'd', 'a', 't', 'a'}; }
Bytes emptyBig() { return BigBuilder().build(); }
Bytes emptyPk4() { return ZipBuilder().build(); }
Bytes emptyBin() { return BinBuilder().end().build(); }
Bytes emptyPak() { return PakBuilder().build(); }

void countAt4(Bytes& b) { putU32le(b, 4, 0xFFFFFFFFu); }
void countAt0(Bytes& b) { putU32le(b, 0, 0xFFFFFFFFu); }
// Offsets count from the directory's end, so its length stays where they still fit 32 bits.
void sybDirectoryLength(Bytes& b) { putU32le(b, 4, 0x7FFFFFFFu); }
void bigDirectoryEnd(Bytes& b) { b[12] = b[13] = b[14] = b[15] = 0xFF; }

const ReaderCase kCases[] = {
    {"img1", readImgV1Directory, imgDirectory, noBytes, "", "", nullptr},
    {"img2", readImgV2Directory, imgVer2, emptyVer2, kBeyondEnd, kBeyondEnd, countAt4},
    {"syb", readSybDirectory, syb, emptySyb, kBeyondEnd, kBeyondEnd, sybDirectoryLength},
    {"big", readBigDirectory, big, emptyBig, kBeyondEnd, kBeyondEnd, bigDirectoryEnd},
    // A ZIP walk stops where no local header follows: at the end of the file, too.
    {"pk4", readPk4Directory, pk4, emptyPk4, "", "", nullptr},
    {"bin", readBinDirectory, bin, emptyBin, kBeyondEnd, kBeyondEnd, nullptr},
    {"pak", readPakDirectory, pak, emptyPak, kBeyondEnd, kBeyondEnd, countAt0},
};

std::string caseName(const ::testing::TestParamInfo<ReaderCase>& info) { return info.param.kind; }

// Rewriting a file in place by truncation makes the file system flush it each time; a fresh
// file each round keeps these loops quick.
void rewrite(const std::string& path, const Bytes& bytes) {
    std::filesystem::remove(path);
    writeFile(path, bytes);
}

// Neither table nor its reservation may outgrow the file: every entry needs some bytes of it.
void expectBoundedTable(const ReadOutcome& r, size_t fileSize) {
    EXPECT_LE(r.entries.size(), fileSize);
    EXPECT_LE(r.entries.capacity(), fileSize + 16);
    for (const auto& e : r.entries) EXPECT_LE(e.Name.size(), 511u);
}

class EveryReaderTest : public ::testing::TestWithParam<ReaderCase> {
protected:
    ReadOutcome readBytes(const Bytes& bytes) {
        rewrite(path_, bytes);
        return readDirectoryOf(GetParam().reader, path_);
    }
    // The whole sample, read once; the cases compare what survives damage against it.
    TEntryRec wholeEntry(size_t i) {
        if (whole_.empty()) {
            ReadOutcome r = readBytes(GetParam().sample().bytes);
            EXPECT_EQ(r.error, "");
            EXPECT_EQ(r.entries.size(), 3u);
            whole_ = r.entries;
        }
        return whole_.at(i);
    }

    TempDir dir_;
    std::string path_ = dir_.file("archive");
    TRecArray whole_;
};

TEST_P(EveryReaderTest, ArchiveWithoutEntriesListsNothing) {
    ReadOutcome r = readBytes(GetParam().empty());
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(r.entries.empty());
}

TEST_P(EveryReaderTest, FileOfNoBytes) {
    ReadOutcome r = readBytes({});
    EXPECT_EQ(r.error, GetParam().zeroBytesError);
    EXPECT_FALSE(r.formatError);
    EXPECT_TRUE(r.entries.empty());
}

TEST_P(EveryReaderTest, MissingFileIsNotFound) {
    ReadOutcome r = readDirectoryOf(GetParam().reader, dir_.file("none"));
    EXPECT_EQ(r.error, "File not found");
    EXPECT_TRUE(r.entries.empty());
}

TEST_P(EveryReaderTest, CutInsideTheLastRecordFailsKeepingTheWholeOnes) {
    const Sample s = GetParam().sample();
    for (size_t extra : {1, 3}) {
        SCOPED_TRACE(extra);
        ReadOutcome r = readBytes(slice(s.bytes, 0, s.lastRecord + extra));
        EXPECT_EQ(r.error, kBeyondEnd);
        ASSERT_EQ(r.entries.size(), 2u);
        EXPECT_EQ(r.entries[0], wholeEntry(0));
        EXPECT_EQ(r.entries[1], wholeEntry(1));
    }
}

TEST_P(EveryReaderTest, CutWhereTheLastRecordWouldBegin) {
    const Sample s = GetParam().sample();
    ReadOutcome r = readBytes(slice(s.bytes, 0, s.lastRecord));
    EXPECT_EQ(r.error, GetParam().cutAtLastRecord);
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[1], wholeEntry(1));
}

TEST_P(EveryReaderTest, EveryPrefixReadsCleanlyOrFailsKeepingWholeEntries) {
    const Bytes valid = GetParam().sample().bytes;
    wholeEntry(0);
    for (size_t n = 0; n < valid.size(); ++n) {
        ReadOutcome r = readBytes(slice(valid, 0, n));
        expectBoundedTable(r, n);
        ASSERT_LE(r.entries.size(), whole_.size()) << "cut at " << n;
        for (size_t i = 0; i < r.entries.size(); ++i) ASSERT_EQ(r.entries[i], whole_[i]) << "cut at " << n << ", entry " << i;
    }
}

TEST_P(EveryReaderTest, FlippedBitsNeverCrashOrHang) {
    const Bytes valid = GetParam().sample().bytes;
    std::mt19937 rng(20261208u);
    for (int round = 0; round < 300; ++round) {
        Bytes mutated = valid;
        int flips = 1 + int(rng() % 4);
        for (int k = 0; k < flips; ++k) mutated[rng() % mutated.size()] ^= uint8_t(1u << (rng() % 8));
        expectBoundedTable(readBytes(mutated), mutated.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EveryReaderTest, ::testing::ValuesIn(kCases), caseName);

// The kinds whose header states how much directory follows.
class CountedReaderTest : public EveryReaderTest {};

std::vector<ReaderCase> countedCases() {
    std::vector<ReaderCase> out;
    for (const ReaderCase& c : kCases)
        if (c.overstate) out.push_back(c);
    return out;
}

TEST_P(CountedReaderTest, CountBeyondTheFileFailsFastKeepingTheRealRecords) {
    Bytes bytes = GetParam().sample().bytes;
    GetParam().overstate(bytes);
    ReadOutcome r = readBytes(bytes);
    EXPECT_FALSE(r.error.empty());
    expectBoundedTable(r, bytes.size());
    // Records past the real ones may be made of the data; the real ones come first, whole.
    ASSERT_GE(r.entries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.entries[i].Name, wholeEntry(i).Name) << i;
        EXPECT_EQ(r.entries[i].Size, wholeEntry(i).Size) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CountedReaderTest, ::testing::ValuesIn(countedCases()), caseName);

}  // namespace
