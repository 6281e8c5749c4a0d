// Every reader against damaged copies of a valid archive: cut short at every length, and with
// random bits flipped. Each read must end cleanly or with a FileError/FormatError, keep only
// whole entries, and never size its table beyond what the file could hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

struct FuzzCase {
    const char* kind;
    DirectoryReader reader;
    Bytes (*valid)();
    size_t entries;  // what the valid archive lists
};

Bytes imgDirectory() {
    TempDir dir;
    ImgBuilder().add("a.dff", pattern(10, 1)).add("bbbbbbbbbbbbbbbbbbbbbbbb", pattern(3000, 2)).add("c", Bytes{}).writeV1(dir.file("a.img"));
    return readFile(dir.file("a.dir"));
}

Bytes imgVer2() {
    TempDir dir;
    ImgBuilder().add("a.dff", pattern(10, 1)).add("b.txd", pattern(30, 2)).add("c", Bytes{}).writeV2(dir.file("a.img"));
    return slice(readFile(dir.file("a.img")), 0, 8 + 3 * 32 + 16);  // the data itself is never read
}

Bytes syb() { return SybBuilder().add("a.bmp", pattern(9, 1)).add("", pattern(4, 2)).add("c.txt", pattern(20, 3)).build(); }

Bytes big() { return BigBuilder().add("a.dff", pattern(9, 1)).add("b", pattern(4, 2)).add("cc.txd", pattern(20, 3)).build(); }

Bytes pk4() {
    ZipBuilder::Options extra;
    extra.extra = {9, 9, 4, 0, 1, 2, 3, 4};
    ZipBuilder::Options deferred;
    deferred.dataDescriptor = true;
    ZipBuilder::Options utf8;
    utf8.utf8Name = true;
    return ZipBuilder()
        .add("def/a.def", pattern(12, 1), extra)
        .add("b.tga", pattern(20, 2), deferred)
        .add("\xd0\xb0.txt", pattern(5, 3), utf8)
        .comment("c")
        .build();
}

Bytes bin() {
    return BinBuilder()
        .entry(" TEX", "wall1", pattern(9, 1))
        .chunk({0, 'X', 'Y', 'Z'}, pattern(6, 2))
        .entry(" NAV", "navi", pattern(4, 3))
        .entry(" TEX", "", {})
        .end()
        .build();
}

Bytes pak() { return PakBuilder().add("a.bmp", pattern(9, 1)).add(std::string(128, 'n'), {}).add("c", pattern(3, 3)).build(); }

const FuzzCase kCases[] = {
    {"img1", readImgV1Directory, imgDirectory, 3}, {"img2", readImgV2Directory, imgVer2, 3},
    {"syb", readSybDirectory, syb, 3},             {"big", readBigDirectory, big, 3},
    {"pk4", readPk4Directory, pk4, 3},             {"bin", readBinDirectory, bin, 3},
    {"pak", readPakDirectory, pak, 3},
};

// Rewriting a file in place by truncation makes the file system flush it each time; a fresh
// file each round keeps these loops quick.
void rewrite(const std::string& path, const Bytes& bytes) {
    std::filesystem::remove(path);
    writeFile(path, bytes);
}

class ReaderFuzzTest : public ::testing::TestWithParam<FuzzCase> {};

// Neither table nor its reservation may outgrow the file: every entry needs some bytes of it.
void expectBoundedTable(const ReadOutcome& r, size_t fileSize) {
    EXPECT_LE(r.entries.size(), fileSize);
    EXPECT_LE(r.entries.capacity(), fileSize + 16);
    for (const auto& e : r.entries) EXPECT_LE(e.Name.size(), 511u);
}

TEST_P(ReaderFuzzTest, EveryPrefixReadsCleanlyOrFailsKeepingWholeEntries) {
    TempDir dir;
    const auto& c = GetParam();
    Bytes valid = c.valid();
    std::string path = dir.file("archive");
    writeFile(path, valid);
    ReadOutcome full = readDirectoryOf(c.reader, path);
    ASSERT_EQ(full.error, "");
    ASSERT_EQ(full.entries.size(), c.entries);

    for (size_t n = 0; n < valid.size(); ++n) {
        rewrite(path, slice(valid, 0, n));
        ReadOutcome r = readDirectoryOf(c.reader, path);
        expectBoundedTable(r, n);
        ASSERT_LE(r.entries.size(), full.entries.size()) << c.kind << " cut at " << n;
        for (size_t i = 0; i < r.entries.size(); ++i)
            ASSERT_EQ(r.entries[i], full.entries[i]) << c.kind << " cut at " << n << ", entry " << i;
    }
}

TEST_P(ReaderFuzzTest, FlippedBitsNeverCrashOrHang) {
    TempDir dir;
    const auto& c = GetParam();
    Bytes valid = c.valid();
    std::string path = dir.file("archive");
    std::mt19937 rng(20261208u);
    for (int round = 0; round < 300; ++round) {
        Bytes mutated = valid;
        int flips = 1 + int(rng() % 4);
        for (int k = 0; k < flips; ++k) mutated[rng() % mutated.size()] ^= uint8_t(1u << (rng() % 8));
        rewrite(path, mutated);
        ReadOutcome r = readDirectoryOf(c.reader, path);
        expectBoundedTable(r, mutated.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReaderFuzzTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FuzzCase>& info) { return std::string(info.param.kind); });

}  // namespace
