#include <gtest/gtest.h>

#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "core/archive/rebuild.h"
#include "core/io/file_system.h"
#include "support/archive_checks.h"
#include "support/img_builder.h"
#include "support/numbered_name.h"
#include "support/temp_dir.h"
#include "support/far_entry.h"

using namespace varmelo;
using namespace testing_support;

namespace {

enum class Form { V1, V2 };

std::string formName(const ::testing::TestParamInfo<Form>& info) { return info.param == Form::V1 ? "V1" : "V2"; }

void write(Form f, const ImgBuilder& b, const std::string& img) {
    if (f == Form::V1) b.writeV1(img);
    else b.writeV2(img);
}

class RebuildTest : public ::testing::TestWithParam<Form> {
protected:
    TempDir dir;
    std::string img = dir.file("gta3.img");
    uint32_t firstSector() const { return GetParam() == Form::V1 ? 0 : 2; }
};

TEST_P(RebuildTest, WritesTheEntriesBackToBackInTableOrder) {
    // Entry 0 lies at the end of the old file, entry 1 at its start, with a gap between.
    ImgBuilder b;
    b.add("last.dff", pattern(3000, 1)).at(20).add("first.txd", pattern(2048, 2)).at(4).add("mid.col", pattern(10, 3)).at(9);
    write(GetParam(), b, img);
    Archive a = openArchive(img);
    a.RowMap = {2, 0, 1};
    std::vector<int> percents;

    RebuildArchive(a, [&](int p) { percents.push_back(p); });

    const uint32_t s = firstSector();
    Bytes file = readFile(img);
    ASSERT_EQ(file.size(), (uint64_t(s) + 4) * 2048);
    EXPECT_EQ(slice(file, uint64_t(s) * 2048, 3000), pattern(3000, 1));
    EXPECT_EQ(slice(file, uint64_t(s) * 2048 + 3000, 1096), Bytes(1096, 0));
    EXPECT_EQ(slice(file, uint64_t(s + 2) * 2048, 2048), pattern(2048, 2));
    EXPECT_EQ(slice(file, uint64_t(s + 3) * 2048, 10), pattern(10, 3));
    Bytes dirBytes = GetParam() == Form::V1 ? readFile(dir.file("gta3.dir")) : file;
    const size_t base = GetParam() == Form::V1 ? 0 : 8;
    EXPECT_EQ(recordAt(dirBytes, base), expectedRecord(s, 2, "last.dff"));
    EXPECT_EQ(recordAt(dirBytes, base + 32), expectedRecord(s + 2, 1, "first.txd"));
    EXPECT_EQ(recordAt(dirBytes, base + 64), expectedRecord(s + 3, 1, "mid.col"));
    if (GetParam() == Form::V1) {
        EXPECT_EQ(dirBytes.size(), 96u);
    } else {
        EXPECT_EQ(slice(file, 0, 8), Bytes({'V', 'E', 'R', '2', 3, 0, 0, 0}));
        EXPECT_EQ(slice(file, 104, 4096 - 104), Bytes(4096 - 104, 0));
    }
    EXPECT_EQ(percents, (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(a.Entries, openArchive(img).Entries);  // reloaded, row map back to the identity
    EXPECT_EQ(a.RowMap, (TRowMap{0, 1, 2}));
    EXPECT_FALSE(fileExists(dir.file("gta3.~new")));
}

// Records that claim more sectors than the file holds keep the sectors present (a partly
// present last one filled up with zeros) and are reported; nothing is invented.
TEST_P(RebuildTest, EntriesClaimingMoreThanTheFileHoldsAreCutToWhatIsThere) {
    ImgBuilder b;
    b.add("short.txd", pattern(100, 1)).at(3).sizeField(16387).add("next.txd", pattern(50, 2)).at(1);
    b.add("beyond.txd", Bytes{}).at(1).sizeField(5);
    write(GetParam(), b, img);  // the file ends 2048 bytes after short.txd starts
    ASSERT_EQ(fileSize(img), 4u * 2048);
    // beyond.txd's record points at sector 900, far past the end
    writeAt(GetParam() == Form::V1 ? dir.file("gta3.dir") : img, (GetParam() == Form::V1 ? 0 : 8) + 2 * 32,
            {0x84, 0x03, 0, 0});
    writeFile(img, [&] {
        Bytes f = readFile(img);
        f.resize(f.size() - 1000);  // and the last sector is only partly there
        return f;
    }());
    Archive a = openArchive(img);

    const std::vector<CutEntry> cuts = RebuildArchive(a);

    EXPECT_EQ(cuts, (std::vector<CutEntry>{{0, "short.txd", 16387, 1}, {2, "beyond.txd", 5, 0}}));
    EXPECT_EQ(describeCut(cuts[0]), "#0 'short.txd': cut from 16387 to 1 sectors, the file ends inside it");
    const uint32_t s = firstSector();
    ASSERT_EQ(a.Entries.size(), 3u);
    EXPECT_EQ(a.Entries[0], (TEntryRec{s, 1, "short.txd", a.Entries[0].DirPos}));
    EXPECT_EQ(a.Entries[1].Offset, s + 1);
    EXPECT_EQ(a.Entries[2].Size, 0u);
    EXPECT_EQ(fileSize(img), uint64_t(s + 2) * 2048);
    Bytes file = readFile(img);
    EXPECT_EQ(slice(file, uint64_t(s) * 2048, 100), pattern(100, 1));
    EXPECT_EQ(slice(file, uint64_t(s) * 2048 + 1048, 1000), Bytes(1000, 0));  // the part that was missing
    EXPECT_TRUE(holdsData(img, a.Entries[1], pattern(50, 2)));
    EXPECT_TRUE(RebuildArchive(a).empty());  // a sound archive has nothing to cut
}

TEST_P(RebuildTest, AnEmptyEntryTakesTheOffsetOfTheEntryAfterIt) {
    ImgBuilder b;
    b.add("a", pattern(10, 1)).add("empty", Bytes{}).add("c", pattern(10, 2));
    write(GetParam(), b, img);
    Archive a = openArchive(img);
    std::vector<int> percents;
    RebuildArchive(a, [&](int p) { percents.push_back(p); });
    EXPECT_EQ(a.Entries[1].Size, 0u);
    EXPECT_EQ(a.Entries[1].Offset, a.Entries[2].Offset);
    EXPECT_EQ(a.Entries[2].Offset, firstSector() + 1);
}

TEST_P(RebuildTest, AfterARemovalTheFileShrinksByThatEntrysSectors) {
    ImgBuilder b;
    b.add("a", pattern(10, 1)).add("gone", pattern(5000, 2)).add("c", pattern(10, 3));
    write(GetParam(), b, img);
    Archive a = openArchive(img);
    const uint64_t before = fileSize(img);
    RemoveEntryAt(a, 1);
    std::vector<int> percents;
    RebuildArchive(a, [&](int p) { percents.push_back(p); });
    const uint64_t header = GetParam() == Form::V1 ? 0 : 4096;
    const uint64_t oldHeader = GetParam() == Form::V1 ? 0 : 2048;
    EXPECT_EQ(fileSize(img), before - 3 * 2048 - oldHeader + header);
    EXPECT_EQ(percents, (std::vector<int>{0, 100}));
    EXPECT_TRUE(holdsData(img, a.Entries[1], pattern(10, 3)));
}

TEST_P(RebuildTest, AnEmptyArchiveIsRewrittenWithoutEntries) {
    write(GetParam(), ImgBuilder(), img);
    writeAt(img, 0, pattern(3, 1));  // stray bytes that no entry references
    if (GetParam() == Form::V2) writeAt(img, 0, Bytes({'V', 'E', 'R', '2', 0, 0, 0, 0}));
    Archive a = openArchive(img);
    RebuildArchive(a);
    Bytes file = readFile(img);
    if (GetParam() == Form::V1) {
        EXPECT_TRUE(file.empty());
        EXPECT_EQ(fileSize(dir.file("gta3.dir")), 0u);
    } else {
        Bytes expect(4096, 0);
        std::copy_n("VER2", 4, expect.begin());
        EXPECT_EQ(file, expect);
    }
    EXPECT_TRUE(a.Entries.empty());
}

TEST_P(RebuildTest, OneEntryReportsNoProgress) {
    write(GetParam(), ImgBuilder().add("a", pattern(10, 1)), img);
    Archive a = openArchive(img);
    int calls = 0;
    RebuildArchive(a, [&](int) { ++calls; });
    EXPECT_EQ(calls, 0);
}

INSTANTIATE_TEST_SUITE_P(Forms, RebuildTest, ::testing::Values(Form::V1, Form::V2), formName);

struct DirectorySizeCase {
    size_t entries;
    uint64_t fileLength;
};

class RebuildDirectorySizeTest : public ::testing::TestWithParam<DirectorySizeCase> {};

TEST_P(RebuildDirectorySizeTest, HeaderAndDirectoryArePaddedToAMultipleOf4096) {
    TempDir dir;
    ImgBuilder b;
    for (size_t i = 0; i < GetParam().entries; ++i) b.add(numbered("e", i), Bytes{});
    b.add("data", pattern(1, 1));
    b.writeV2(dir.file("a.img"));
    Archive a = openArchive(dir.file("a.img"));
    RebuildArchive(a);
    EXPECT_EQ(fileSize(dir.file("a.img")), GetParam().fileLength + 2048);
    EXPECT_EQ(a.Entries.back().Offset, GetParam().fileLength / 2048);
}

// Including the one-sector "data" entry: 127 records end at 4072, 128 at 4104.
INSTANTIATE_TEST_SUITE_P(Sizes, RebuildDirectorySizeTest,
                         ::testing::Values(DirectorySizeCase{126, 4096}, DirectorySizeCase{127, 8192},
                                           DirectorySizeCase{0, 4096}));

TEST(RebuildTwoFileTest, EntriesAlreadyInPlaceStayAndTheRestMovesUp) {
    TempDir dir;
    std::string img = dir.file("vc.img");
    ImgBuilder b;
    b.add("a", pattern(2048, 1)).at(0).add("b", pattern(4096, 2)).at(1).add("c", pattern(100, 3)).at(7);
    b.writeV1(img);
    writeAt(img, 9 * 2048, pattern(500, 4));  // unreferenced bytes after the last entry
    Archive a = openArchive(img);

    RebuildArchive(a);

    Bytes file = readFile(img);
    ASSERT_EQ(file.size(), 4u * 2048);
    EXPECT_EQ(slice(file, 0, 2048), pattern(2048, 1));
    EXPECT_EQ(slice(file, 2048, 4096), pattern(4096, 2));
    EXPECT_EQ(slice(file, 6144, 100), pattern(100, 3));
    Bytes d = readFile(dir.file("vc.dir"));
    ASSERT_EQ(d.size(), 96u);
    EXPECT_EQ(recordAt(d, 0), expectedRecord(0, 1, "a"));
    EXPECT_EQ(recordAt(d, 32), expectedRecord(1, 2, "b"));
    EXPECT_EQ(recordAt(d, 64), expectedRecord(3, 1, "c"));
}

TEST(RebuildNamesTest, TheTemporaryFileReplacesTheExtension) {
    EXPECT_EQ(rebuildTempPath("/x/gta3.img"), "/x/gta3.~new");
    EXPECT_EQ(rebuildTempPath("/x.y/gta3"), "/x.y/gta3.~new");
}

TEST(RebuildNamesTest, AnArchiveNamedLikeItsTemporaryIsNotOverwritten) {
    TempDir dir;
    std::string img = dir.file("odd.~new");
    ImgBuilder().add("a", pattern(3000, 1)).add("b", pattern(10, 2)).writeV2(img);
    Archive a = openArchive(img);
    RebuildArchive(a);
    Archive back = openArchive(img);
    ASSERT_EQ(back.Entries.size(), 2u);
    EXPECT_TRUE(holdsData(img, back.Entries[0], pattern(3000, 1)));
    EXPECT_TRUE(holdsData(img, back.Entries[1], pattern(10, 2)));
}

TEST(RebuildLargeFileTest, ReadsEntriesBeyondFourGigabytes) {
    TempDir dir;
    std::string img = dir.file("huge.img");
    writeFarEntryArchive(img, pattern(2048, 5));
    Archive a = openArchive(img);
    RebuildArchive(a);
    EXPECT_EQ(fileSize(img), 4096u + 2048u);
    EXPECT_EQ(a.Entries[0].Offset, 2u);
    EXPECT_TRUE(holdsData(img, a.Entries[0], pattern(2048, 5)));
}

}  // namespace
