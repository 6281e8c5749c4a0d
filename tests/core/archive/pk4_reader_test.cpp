#include <gtest/gtest.h>

#include <algorithm>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

ZipBuilder::Options deferred(bool signedDescriptor = true) {
    ZipBuilder::Options o;
    o.dataDescriptor = true;
    o.signedDescriptor = signedDescriptor;
    return o;
}

ZipBuilder::Options utf8() {
    ZipBuilder::Options o;
    o.utf8Name = true;
    return o;
}

// The stored bytes of an entry, as extraction would copy them.
Bytes dataOf(const Bytes& archive, const TEntryRec& e) { return slice(archive, e.Offset, e.Size); }

}  // namespace

TEST(Pk4Reader, DataStartsAfterNameAndExtraAndTheNextHeaderAfterTheData) {
    TempDir dir;
    ZipBuilder::Options withExtra;
    withExtra.extra = {1, 2, 3, 4};
    ZipBuilder z;
    z.add("maps/a.tx", pattern(50, 1), withExtra).add("b", pattern(10, 2));
    z.write(dir.file("a.pk4"));
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (TEntryRec{43, 50, "maps/a.tx", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{43 + 50 + 30 + 1, 10, "b", 0}));
}

TEST(Pk4Reader, WalkEndsAtTheCentralDirectory) {
    TempDir dir;
    ZipBuilder z;
    z.add("a.mtr", pattern(5, 1)).add("b.tga", pattern(0, 2)).add("c.md5mesh", pattern(70, 3)).comment("prey");
    Bytes bytes = z.build();
    writeFile(dir.file("a.pk4"), bytes);
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(r.entries[i].Offset, z.dataOffset(i));
    EXPECT_EQ(r.entries[2].Name, "c.md5mesh");
    EXPECT_EQ(dataOf(bytes, r.entries[2]), pattern(70, 3));
}

class Pk4DescriptorTest : public ::testing::TestWithParam<bool> {};

TEST_P(Pk4DescriptorTest, DeferredSizesComeFromTheCentralDirectory) {
    TempDir dir;
    bool signedDescriptor = GetParam();
    ZipBuilder z;
    z.add("one.skin", pattern(33, 1), deferred(signedDescriptor))
        .add("two.def", pattern(12, 2))
        .add("three.ogg", pattern(100, 3), deferred(signedDescriptor));
    Bytes bytes = z.build();
    writeFile(dir.file("a.pk4"), bytes);
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 3u);
    const char* names[] = {"one.skin", "two.def", "three.ogg"};
    const size_t sizes[] = {33, 12, 100};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.entries[i].Name, names[i]);
        EXPECT_EQ(r.entries[i].Offset, z.dataOffset(i));
        EXPECT_EQ(r.entries[i].Size, sizes[i]);
        EXPECT_EQ(dataOf(bytes, r.entries[i]), pattern(sizes[i], uint32_t(i + 1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, Pk4DescriptorTest, ::testing::Values(true, false));

struct Utf8NameCase {
    std::string utf8;
    std::string cp1251;
};

class Pk4Utf8NameTest : public ::testing::TestWithParam<Utf8NameCase> {};

TEST_P(Pk4Utf8NameTest, FlaggedNamesAreKeptInWindows1251) {
    TempDir dir;
    ZipBuilder().add(GetParam().utf8, pattern(3, 1), utf8()).add("z", {}).write(dir.file("a.pk4"));
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].Name, GetParam().cp1251);
    EXPECT_EQ(r.entries[0].Size, 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Pk4Utf8NameTest,
    ::testing::Values(Utf8NameCase{"plain.txt", "plain.txt"},
                      Utf8NameCase{"\xd0\xba\xd0\xb0\xd0\xbc\xd0\xb5\xd0\xbd\xd1\x8c.dds", "\xea\xe0\xec\xe5\xed\xfc.dds"},
                      Utf8NameCase{"\xd0\x81\xd0\xbb\xd0\xba\xd0\xb0 \xe2\x84\x96" "1", "\xa8\xeb\xea\xe0 \xb9" "1"},
                      Utf8NameCase{"\xe6\x97\xa5\xe6\x9c\xac.txt", "??.txt"},           // no Windows-1251 byte
                      Utf8NameCase{"\xf0\x9f\x98\x80x", "?x"},                           // outside the BMP
                      Utf8NameCase{"bad\xff\xd0" "end", "bad??end"},                     // not UTF-8
                      Utf8NameCase{"\xc0\x80hidden", "?hidden"}));                       // over-long zero

TEST(Pk4Reader, UnflaggedNamesStayAsStored) {
    TempDir dir;
    std::string cp1251 = "\xea\xe0\xec\xe5\xed\xfc.dds";
    ZipBuilder().add(cp1251, pattern(3, 1)).write(dir.file("a.pk4"));
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].Name, cp1251);
}

TEST(Pk4Reader, LongNameIsCutAndTheWalkGoesOn) {
    TempDir dir;
    ZipBuilder z;
    z.add(std::string(700, 'p'), pattern(8, 1)).add("next", pattern(2, 2));
    z.write(dir.file("a.pk4"));
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].Name, std::string(511, 'p'));
    EXPECT_EQ(r.entries[0].Offset, 730u);
    EXPECT_EQ(r.entries[1], (TEntryRec{z.dataOffset(1), 2, "next", 0}));
}

// Damage to the central directory of an archive whose second entry defers its sizes.
struct BrokenCentralCase {
    const char* what;
    size_t at;         // counted from the end record, or from the central directory
    bool fromCentral;  // when this is set
    Bytes bytes;
    bool cutHere;  // truncate the file at that position instead of overwriting
};

class Pk4BrokenCentralTest : public ::testing::TestWithParam<BrokenCentralCase> {};

TEST_P(Pk4BrokenCentralTest, FailsCleanlyKeepingTheEntriesBefore) {
    TempDir dir;
    ZipBuilder z;
    z.add("first", pattern(6, 1)).add("second", pattern(9, 2), deferred()).add("third", pattern(3, 3));
    Bytes bytes = z.build();
    const auto& c = GetParam();
    size_t at = (c.fromCentral ? z.centralDirectoryOffset() : z.endRecordOffset()) + c.at;
    if (c.cutHere) {
        bytes.resize(at);
    } else {
        std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + std::ptrdiff_t(at));
    }
    writeFile(dir.file("a.pk4"), bytes);
    auto r = readDirectoryOf(readPk4Directory, dir.file("a.pk4"));
    EXPECT_TRUE(r.formatError || r.error == "Read beyond end of file") << c.what << ": " << r.error;
    ASSERT_EQ(r.entries.size(), 1u) << c.what;
    EXPECT_EQ(r.entries[0].Name, "first");
}

INSTANTIATE_TEST_SUITE_P(
    Damage, Pk4BrokenCentralTest,
    ::testing::Values(BrokenCentralCase{"no end record", 0, false, {}, true},
                      BrokenCentralCase{"end record cut short", 10, false, {}, true},
                      BrokenCentralCase{"directory offset past the end", 16, false, {0xFF, 0xFF, 0xFF, 0x7F}, false},
                      BrokenCentralCase{"directory size past the end", 12, false, {0xFF, 0xFF, 0, 0}, false},
                      BrokenCentralCase{"count beyond the directory", 8, false, {0xFF, 0xFF, 0xFF, 0xFF}, false},
                      BrokenCentralCase{"bad central signature", 46 + 5, true, {'X'}, false},
                      BrokenCentralCase{"central name runs past the directory", 46 + 5 + 28, true, {0xFF, 0xFF}, false},
                      BrokenCentralCase{"no entry for the header", 46 + 5 + 42, true, {0x77, 0x77, 0, 0}, false}));
