#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/archive/create_archive.h"
#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "core/archive/rebuild.h"
#include "core/io/errors.h"
#include "core/io/binary_file.h"
#include "core/io/file_system.h"
#include "core/io/write_faults.h"
#include "support/archive_checks.h"
#include "support/img_builder.h"
#include "support/numbered_name.h"
#include "support/permissions.h"
#include "support/temp_dir.h"
#include "support/far_entry.h"

using namespace varmelo;
using namespace testing_support;

namespace {

enum class Form { V1, V2 };

std::string formName(const ::testing::TestParamInfo<Form>& info) { return info.param == Form::V1 ? "V1" : "V2"; }

struct Fixture {
    TempDir dir;
    std::string img = dir.file("a.img");
    std::string dirFile = dir.file("a.dir");
    Form form;

    Fixture(Form f, const ImgBuilder& b) : form(f) {
        if (f == Form::V1) b.writeV1(img);
        else b.writeV2(img);
    }
    Archive open() const { return openArchive(img); }
    // The file that holds the records, and where record i is.
    Bytes dirBytes() const { return readFile(form == Form::V1 ? dirFile : img); }
    size_t recordPos(size_t i) const { return (form == Form::V1 ? 0 : 8) + 32 * i; }
    std::string source(const std::string& name, const Bytes& data) const {
        std::string p = dir.file(name);
        writeFile(p, data);
        return p;
    }
};

ImgBuilder fiveEntries() {
    ImgBuilder b;
    for (int i = 0; i < 5; ++i) b.add(numbered("e", size_t(i), ".dff"), pattern(100 + 2048 * size_t(i), uint32_t(i)));
    return b;
}

class EditorTest : public ::testing::TestWithParam<Form> {};

TEST_P(EditorTest, Adding2049BytesAppendsTwoZeroPaddedSectors) {
    Fixture fx(GetParam(), ImgBuilder().add("first.txd", pattern(2048, 1)));
    Archive a = fx.open();
    const uint64_t before = fileSize(fx.img);
    Bytes data = pattern(2049, 7);

    uint32_t index = AddFileToArchive(a, fx.source("new.dff", data));

    EXPECT_EQ(index, 1u);
    Bytes img = readFile(fx.img);
    ASSERT_EQ(img.size(), before + 4096);
    EXPECT_EQ(slice(img, before, 2049), data);
    EXPECT_EQ(slice(img, before + 2049, 2047), Bytes(2047, 0));
    EXPECT_EQ(recordAt(fx.dirBytes(), fx.recordPos(1)), expectedRecord(uint32_t(before / 2048), 2, "new.dff"));
    if (GetParam() == Form::V1) EXPECT_EQ(fileSize(fx.dirFile), 64u);
    else EXPECT_EQ(u32At(img, 4), 2u);
    EXPECT_EQ(a.Entries[1], (TEntryRec{uint32_t(before / 2048), 2, "new.dff", fx.recordPos(1)}));
    EXPECT_EQ(fx.open().Entries, a.Entries);
}

TEST_P(EditorTest, AddingAnEmptyFileWritesNoDataAndRecordsSizeZero) {
    Fixture fx(GetParam(), ImgBuilder().add("first.txd", pattern(2048, 1)));
    Archive a = fx.open();
    const uint64_t before = fileSize(fx.img);
    AddFileToArchive(a, fx.source("empty.txt", {}));
    EXPECT_EQ(fileSize(fx.img), before);
    EXPECT_EQ(a.Entries[1].Offset, before / 2048);
    EXPECT_EQ(a.Entries[1].Size, 0u);
}

TEST_P(EditorTest, ALongNameFillsTheWholeRecordFieldWithoutTerminator) {
    Fixture fx(GetParam(), ImgBuilder().add("first.txd", pattern(10, 1)));
    Archive a = fx.open();
    const std::string name = "abcdefghijklmnopqrstuvwxyz0123.txd";  // 34 characters
    AddFileToArchive(a, fx.source(name, pattern(10, 2)));
    EXPECT_EQ(a.Entries[1].Name, name);  // the table keeps the whole name until the next load
    EXPECT_EQ(slice(fx.dirBytes(), fx.recordPos(1) + 8, 24), Bytes(name.begin(), name.begin() + 24));
    EXPECT_EQ(fx.open().Entries[1].Name, name.substr(0, 24));
}

TEST_P(EditorTest, AddingPadsAnArchiveThatDoesNotEndOnASector) {
    Fixture fx(GetParam(), ImgBuilder().add("first.txd", pattern(2048, 1)));
    Bytes tail = pattern(952, 3);
    writeAt(fx.img, fileSize(fx.img), tail);  // ends 952 bytes into a sector
    const uint64_t ragged = fileSize(fx.img);
    Archive a = fx.open();

    AddFileToArchive(a, fx.source("x.col", pattern(5, 4)));

    const uint64_t start = (ragged + 2047) / 2048 * 2048;
    Bytes img = readFile(fx.img);
    EXPECT_EQ(a.Entries[1].Offset, start / 2048);
    EXPECT_EQ(slice(img, ragged - tail.size(), tail.size()), tail);
    EXPECT_EQ(slice(img, ragged, start - ragged), Bytes(start - ragged, 0));
    EXPECT_EQ(slice(img, start, 5), pattern(5, 4));
}

TEST_P(EditorTest, RemovingEntryTwoOfFiveMovesTheLaterRecordsForward) {
    Fixture fx(GetParam(), fiveEntries());
    Archive a = fx.open();
    const Bytes before = fx.dirBytes();

    EXPECT_EQ(RemoveEntryAt(a, 2), 2);

    Bytes after = fx.dirBytes();
    EXPECT_EQ(recordAt(after, fx.recordPos(2)), recordAt(before, fx.recordPos(3)));
    EXPECT_EQ(recordAt(after, fx.recordPos(3)), recordAt(before, fx.recordPos(4)));
    EXPECT_EQ(slice(after, fx.recordPos(0), 64), slice(before, fx.recordPos(0), 64));
    if (GetParam() == Form::V1) {
        EXPECT_EQ(after.size(), 128u);
    } else {
        EXPECT_EQ(u32At(after, 4), 4u);
        EXPECT_EQ(recordAt(after, 136), recordAt(before, 136));  // stays beyond the count
        EXPECT_EQ(after.size(), before.size());
    }
    ASSERT_EQ(a.Entries.size(), 4u);
    EXPECT_EQ(a.Entries[2].Name, "e3.dff");
    EXPECT_EQ(a.Entries[2].DirPos, fx.recordPos(2));
    EXPECT_EQ(fx.open().Entries, a.Entries);
}

TEST_P(EditorTest, RemovingTheOnlyEntryLeavesAnEmptyDirectory) {
    Fixture fx(GetParam(), ImgBuilder().add("only.txd", pattern(3, 1)));
    Archive a = fx.open();
    RemoveEntryAt(a, 0);
    EXPECT_TRUE(a.Entries.empty());
    EXPECT_TRUE(a.RowMap.empty());
    if (GetParam() == Form::V1) EXPECT_EQ(fileSize(fx.dirFile), 0u);
    else EXPECT_EQ(u32At(readFile(fx.img), 4), 0u);
    EXPECT_TRUE(fx.open().Entries.empty());
}

TEST_P(EditorTest, RenameWritesTheTwentyFourNameBytesOnly) {
    Fixture fx(GetParam(), fiveEntries());
    Archive a = fx.open();
    const Bytes before = fx.dirBytes();

    RenameEntry(a, 1, "exactly24characters_.txd");
    Bytes mid = fx.dirBytes();
    EXPECT_EQ(slice(mid, fx.recordPos(1) + 8, 24), Bytes({'e', 'x', 'a', 'c', 't', 'l', 'y', '2', '4', 'c', 'h', 'a',
                                                            'r', 'a', 'c', 't', 'e', 'r', 's', '_', '.', 't', 'x', 'd'}));
    EXPECT_EQ(fx.open().Entries[1].Name, "exactly24characters_.txd");

    RenameEntry(a, 1, "b.dff");
    Bytes after = fx.dirBytes();
    Bytes expect = before;
    Bytes field = expectedRecord(0, 0, "b.dff");
    std::copy(field.begin() + 8, field.end(), expect.begin() + std::ptrdiff_t(fx.recordPos(1) + 8));
    EXPECT_EQ(after, expect);  // nothing but the name field changed
    EXPECT_EQ(a.Entries[1].Name, "b.dff");
}

TEST_P(EditorTest, ReplacingWithAFileThatFitsWritesInPlaceAndClearsItsLastSector) {
    Bytes old = pattern(3 * 2048, 9);
    Fixture fx(GetParam(), ImgBuilder().add("a.txd", pattern(10, 1)).add("big.txd", old).add("c.txd", pattern(10, 2)));
    Archive a = fx.open();
    const TEntryRec was = a.Entries[1];
    const uint64_t length = fileSize(fx.img);
    Bytes repl = pattern(5000, 5);

    EXPECT_EQ(ReplaceEntry(a, 1, fx.source("new.txd", repl)), 1u);

    EXPECT_EQ(fileSize(fx.img), length);
    Bytes sectors = entrySectors(fx.img, was);
    EXPECT_EQ(slice(sectors, 0, 5000), repl);
    EXPECT_EQ(slice(sectors, 5000, 1144), Bytes(1144, 0));  // nothing of the old content reads back
    EXPECT_EQ(recordAt(fx.dirBytes(), fx.recordPos(1)), expectedRecord(was.Offset, 3, "new.txd"));
    EXPECT_EQ(fx.open().Entries, a.Entries);

    // A smaller one: its own last sector is cleared, the sector it gave up is left as it was.
    EXPECT_EQ(ReplaceEntry(a, 1, fx.source("ten.txd", pattern(10, 6))), 1u);
    sectors = entrySectors(fx.img, was);
    EXPECT_EQ(slice(sectors, 0, 10), pattern(10, 6));
    EXPECT_EQ(slice(sectors, 10, 2038), Bytes(2038, 0));
    EXPECT_EQ(slice(sectors, 2048, 2048), slice(repl, 2048, 2048));
    EXPECT_EQ(fileSize(fx.img), length);
}

// Records that point past the end of the file, as damaged archives have them. Such an entry
// is never written where it points: the file would grow to wherever that is.
TEST_P(EditorTest, ReplacingAnEntryWhoseDataLiesPastTheEndAppendsInstead) {
    for (uint32_t offset : {0xFFFFFFFFu, 40u}) {
        SCOPED_TRACE(offset);
        Fixture fx(GetParam(), ImgBuilder().add("a.txd", pattern(10, 1)).add("gone.txd", Bytes{}).sizeField(1));
        writeAt(fx.form == Form::V1 ? fx.dirFile : fx.img, fx.recordPos(1), {uint8_t(offset), uint8_t(offset >> 8),
                                                                           uint8_t(offset >> 16), uint8_t(offset >> 24)});
        Archive a = fx.open();
        ASSERT_EQ(a.Entries[1].Offset, offset);
        const uint64_t length = fileSize(fx.img);

        EXPECT_EQ(ReplaceEntry(a, 1, fx.source("five.txd", pattern(5, 2))), 1u);

        EXPECT_EQ(fileSize(fx.img), length + 2048);
        Archive back = fx.open();
        ASSERT_EQ(back.Entries.size(), 2u);
        EXPECT_EQ(back.Entries[1].Offset, length / 2048);
        EXPECT_TRUE(holdsData(fx.img, back.Entries[1], pattern(5, 2)));
        EXPECT_TRUE(holdsData(fx.img, back.Entries[0], pattern(10, 1)));
    }
}

// A disk that fills up at any one write step of an add: the archive keeps every entry and
// gets back the length it had, so the space the add took is free again.
TEST_P(EditorTest, AFailedAddGivesBackWhatItAppended) {
    bool completed = false;
    for (int step = 1; step < 50 && !completed; ++step) {
        SCOPED_TRACE("disk full at write step " + std::to_string(step));
        Fixture fx(GetParam(), fiveEntries());
        Archive a = fx.open();
        const Bytes before = readFile(fx.img);
        const Bytes dirBefore = fx.dirBytes();
        const std::string src = fx.source("new.txd", pattern(5000, 42));
        write_faults::failOnlyAt(step);
        try {
            AddFileToArchive(a, src);
            completed = true;
        } catch (const FileError& e) {
            EXPECT_STREQ(e.what(), "Disk full");
        }
        write_faults::disarm();
        if (completed) break;
        EXPECT_EQ(fileSize(fx.img), before.size());
        EXPECT_EQ(fx.dirBytes().size(), dirBefore.size());
        Archive back = fx.open();
        ASSERT_EQ(back.Entries.size(), 5u);
        for (uint32_t i = 0; i < 5; ++i)
            EXPECT_TRUE(holdsData(fx.img, back.Entries[i], pattern(100 + 2048 * size_t(i), i))) << i;
    }
    EXPECT_TRUE(completed);
}

TEST_P(EditorTest, ReplacingWithALargerFileMovesTheEntryToTheEnd) {
    Fixture fx(GetParam(), ImgBuilder().add("a.txd", pattern(10, 1)).add("small.txd", pattern(2048, 2)).add("c.txd", pattern(10, 3)));
    Archive a = fx.open();
    a.RowMap = {2, 1, 0};  // sorted
    const uint64_t length = fileSize(fx.img);
    Bytes repl = pattern(3000, 4);

    EXPECT_EQ(ReplaceEntry(a, 1, fx.source("grown.txd", repl)), 2u);

    ASSERT_EQ(a.Entries.size(), 3u);
    EXPECT_EQ(a.Entries[1].Name, "c.txd");
    EXPECT_EQ(a.Entries[2], (TEntryRec{uint32_t(length / 2048), 2, "grown.txd", fx.recordPos(2)}));
    EXPECT_EQ(fileSize(fx.img), length + 4096);
    EXPECT_EQ(a.RowMap, (TRowMap{1, 0, 2}));
    EXPECT_EQ(a.RowCount, 3u);
    Archive back = fx.open();
    EXPECT_EQ(back.Entries, a.Entries);
    EXPECT_TRUE(holdsData(fx.img, back.Entries[2], repl));
    EXPECT_TRUE(holdsData(fx.img, back.Entries[0], pattern(10, 1)));
}

TEST_P(EditorTest, AReplacementIsNotWrittenOverSectorsAnotherEntryShares) {
    Bytes shared = pattern(4096, 6);
    const uint32_t second = GetParam() == Form::V1 ? 1 : 2;  // one.txd's second sector
    Fixture fx(GetParam(), ImgBuilder().add("one.txd", shared).add("two.txd", Bytes{}).at(second).sizeField(1));
    Archive a = fx.open();
    const uint64_t length = fileSize(fx.img);

    EXPECT_EQ(ReplaceEntry(a, 0, fx.source("r.txd", pattern(3000, 7))), 1u);

    Archive back = fx.open();
    ASSERT_EQ(back.Entries.size(), 2u);
    EXPECT_EQ(back.Entries[0].Name, "two.txd");
    EXPECT_EQ(entrySectors(fx.img, back.Entries[0]), slice(shared, 2048, 2048));
    EXPECT_EQ(back.Entries[1].Offset, length / 2048);
    EXPECT_TRUE(holdsData(fx.img, back.Entries[1], pattern(3000, 7)));
}

TEST_P(EditorTest, RowMapFollowsAddAndRemoveWhileSortedOrFiltered) {
    Fixture fx(GetParam(), fiveEntries());
    Archive a = fx.open();
    // Filtered: rows show entries 4 and 1; the other elements are unused.
    a.RowMap = {4, 1, 0, 2, 3};
    a.RowCount = 2;

    uint32_t added = AddFileToArchive(a, fx.source("z.txd", pattern(1, 1)));
    EXPECT_EQ(added, 5u);
    EXPECT_EQ(a.RowCount, 3u);
    EXPECT_EQ(a.RowMap, (TRowMap{4, 1, 5, 0, 2, 3}));

    // Entry 2 is not shown: the last unused element goes, values above 2 drop by one.
    EXPECT_EQ(RemoveEntryAt(a, 2), -1);
    EXPECT_EQ(a.RowMap, (TRowMap{3, 1, 4, 0, 2}));
    EXPECT_EQ(a.RowCount, 3u);

    // Entry 1 is shown on row 1: that row goes.
    EXPECT_EQ(RemoveEntryAt(a, 1), 1);
    EXPECT_EQ(a.RowMap, (TRowMap{2, 3, 0, 1}));
    EXPECT_EQ(a.RowCount, 2u);
    EXPECT_EQ(a.Entries.size(), a.RowMap.size());
}

INSTANTIATE_TEST_SUITE_P(Forms, EditorTest, ::testing::Values(Form::V1, Form::V2), formName);

TEST(EditorVer2Test, AGrowingDirectoryFirstMovesTheEntriesItWouldOverwrite) {
    TempDir dir;
    std::string img = dir.file("sa.img");
    ImgBuilder b;
    for (int i = 0; i < 63; ++i) b.add(numbered("e", size_t(i)), pattern(700, uint32_t(i)));  // 63 records fill sector 0
    b.writeV2(img);
    Archive a = openArchive(img);
    ASSERT_EQ(a.Entries[0].Offset, 1u);
    const uint64_t length = fileSize(img);
    writeFile(dir.file("new.bin"), pattern(10, 99));

    AddFileToArchive(a, dir.file("new.bin"));

    // Record 63 needs bytes 2024..2055, inside entry 0's sector: entry 0 went to the end first.
    EXPECT_EQ(a.Entries[0].Offset, length / 2048);
    EXPECT_EQ(a.Entries[63].Offset, length / 2048 + 1);
    Archive back = openArchive(img);
    ASSERT_EQ(back.Entries.size(), 64u);
    EXPECT_EQ(back.Entries, a.Entries);
    for (int i = 0; i < 63; ++i) EXPECT_TRUE(holdsData(img, back.Entries[size_t(i)], pattern(700, uint32_t(i)))) << i;
    EXPECT_TRUE(holdsData(img, back.Entries[63], pattern(10, 99)));
}

TEST(EditorVer2Test, AnEntryInTheWayThatClaimsMoreThanTheFileHoldsIsNotMoved) {
    TempDir dir;
    std::string img = dir.file("sa.img");
    ImgBuilder b;
    for (int i = 0; i < 62; ++i) b.add(numbered("e", size_t(i)), pattern(700, uint32_t(i)));
    b.add("huge", pattern(700, 62)).sizeField(0x7FFFFFFF);
    b.writeV2(img);
    // The 64th record would need the first data sector, which "e0" holds: "e0" is sound and
    // would move. Claiming 4 TiB, "huge" is only refused when it is in the way too.
    Archive a = openArchive(img);
    std::swap(a.Entries[0].Offset, a.Entries[62].Offset);
    {
        // Put "huge" first on disk: its record takes e0's sector and e0 takes its place.
        BinaryFile f = BinaryFile::openReadWrite(img);
        for (uint32_t i : {0u, 62u}) {
            f.seek(a.Entries[i].DirPos);
            f.writeU32le(a.Entries[i].Offset);
        }
    }
    const Bytes before = readFile(img);
    writeFile(dir.file("new.bin"), pattern(10, 99));
    a = openArchive(img);
    try {
        AddFileToArchive(a, dir.file("new.bin"));
        ADD_FAILURE() << "added";
    } catch (const UsageError& e) {
        EXPECT_NE(std::string(e.what()).find("#62 'huge'"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("run verify"), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFile(img), before);
    EXPECT_EQ(openArchive(img).Entries, a.Entries);
}

TEST(EditorVer2Test, NewSanAndreasArchiveWithThreeAddsPlacesThemAtSectorsOneTwoFour) {
    TempDir dir;
    std::string img = dir.file("new.img");
    CreateArchive(img, NewArchiveForm::SanAndreas);
    Archive a = openArchive(img);
    const size_t sizes[] = {1, 2049, 4096};
    for (size_t k = 0; k < 3; ++k) {
        writeFile(dir.file(numbered("f", k)), pattern(sizes[k], uint32_t(k)));
        AddFileToArchive(a, dir.file(numbered("f", k)));
    }
    EXPECT_EQ(fileSize(img), 12288u);
    Archive back = openArchive(img);
    ASSERT_EQ(back.Entries.size(), 3u);
    EXPECT_EQ(back.Entries[0].Offset, 1u);
    EXPECT_EQ(back.Entries[1].Offset, 2u);
    EXPECT_EQ(back.Entries[2].Offset, 4u);
    for (size_t k = 0; k < 3; ++k) EXPECT_TRUE(holdsData(img, back.Entries[k], pattern(sizes[k], uint32_t(k))));
}

TEST(EditorNamesTest, FindsTheFirstEntryWhoseWholeNameMatchesIgnoringAsciiCase) {
    Archive a;
    a.Entries = {{0, 0, "other.txd", 0}, {0, 0, "vehicle.txd", 0}, {0, 0, "VEHICLE.TXD", 0}, {0, 0, "\xe0.txd", 0}};
    EXPECT_EQ(findEntryByName(a, "VEHICLE.TXD"), 1);
    EXPECT_EQ(findEntryByName(a, "Vehicle.Txd"), 1);
    EXPECT_EQ(findEntryByName(a, "vehicle"), -1);
    EXPECT_EQ(findEntryByName(a, "vehicle.txd2"), -1);
    EXPECT_EQ(findEntryByName(a, "\xc0.TXD"), -1);  // Cyrillic letters are not folded
    EXPECT_EQ(findEntryByName(a, "\xe0.TXD"), 3);
}

TEST(EditorAddFilesTest, TheDecisionReplacesAddsAnotherOrStops) {
    TempDir dir;
    std::string img = dir.file("a.img");
    ImgBuilder().add("one.txd", pattern(10, 1)).add("two.txd", pattern(10, 2)).writeV2(img);
    Archive a = openArchive(img);
    writeFile(dir.file("TWO.TXD"), pattern(20, 3));
    writeFile(dir.file("one.txd"), pattern(30, 4));
    writeFile(dir.file("three.txd"), pattern(40, 5));
    std::vector<uint32_t> asked;
    std::vector<ExistingDecision> answers = {ExistingDecision::Replace, ExistingDecision::AddAnother};
    size_t calls = 0;
    auto decide = [&](uint32_t existing) {
        asked.push_back(existing);
        return answers[calls++];
    };
    std::vector<std::pair<size_t, size_t>> steps;

    auto added = AddFiles(a, {dir.file("three.txd"), dir.file("TWO.TXD"), dir.file("one.txd")}, decide,
                          [&](size_t done, size_t total) { steps.emplace_back(done, total); });

    EXPECT_EQ(asked, (std::vector<uint32_t>{1, 0}));
    ASSERT_EQ(a.Entries.size(), 4u);
    EXPECT_EQ(a.Entries[0].Name, "one.txd");
    EXPECT_EQ(a.Entries[1].Name, "three.txd");
    EXPECT_EQ(a.Entries[2].Name, "TWO.TXD");
    EXPECT_EQ(a.Entries[3].Name, "one.txd");
    EXPECT_EQ(added, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(steps.size(), 3u);
    Archive back = openArchive(img);
    EXPECT_TRUE(holdsData(img, back.Entries[2], pattern(20, 3)));
    EXPECT_TRUE(holdsData(img, back.Entries[0], pattern(10, 1)));

    answers = {ExistingDecision::Stop};
    calls = 0;
    added = AddFiles(a, {dir.file("three.txd"), dir.file("one.txd")}, decide);
    EXPECT_TRUE(added.empty());  // three.txd exists too: Stop ends before it
    EXPECT_EQ(a.Entries.size(), 4u);
}

TEST(EditorKindTest, OnlyImgArchivesCanBeEdited) {
    TempDir dir;
    writeFile(dir.file("x.syb"), "VXBG");
    writeFile(dir.file("f"), "data");
    Archive a;
    a.ArchivePath = a.DirPath = dir.file("x.syb");
    a.ArchiveKind = TArchiveKind::akSyb;
    a.Entries = {{0, 4, "f", 0}};
    a.resetRowMap();
    EXPECT_THROW(AddFileToArchive(a, dir.file("f")), UsageError);
    EXPECT_THROW(RemoveEntryAt(a, 0), UsageError);
    EXPECT_THROW(RenameEntry(a, 0, "g"), UsageError);
    EXPECT_THROW(ReplaceEntry(a, 0, dir.file("f")), UsageError);
    EXPECT_THROW(RebuildArchive(a), UsageError);
    EXPECT_EQ(readFile(dir.file("x.syb")), Bytes({'V', 'X', 'B', 'G'}));
}

// Which file of the archive is made read-only.
struct DeniedCase {
    Form form;
    const char* readOnly;  // "img" or "dir"
};

class EditorAccessTest : public ::testing::TestWithParam<DeniedCase> {};

TEST_P(EditorAccessTest, ACommandOnAnArchiveThatMayNotBeWrittenChangesNothing) {
    const DeniedCase c = GetParam();
    Fixture fx(c.form, fiveEntries());
    std::string src = fx.source("src.txd", pattern(5000, 1));
    PermissionSandbox sandbox(fx.dir.path());
    if (!sandbox.available()) GTEST_SKIP() << "permission bits cannot be enforced here";
    ::chmod((std::string(c.readOnly) == "img" ? fx.img : fx.dirFile).c_str(), 0444);
    ::chmod(src.c_str(), 0444);  // a read-only source is fine: it is only read
    const Bytes img = readFile(fx.img), dirBytes = readFile(c.form == Form::V1 ? fx.dirFile : fx.img);

    int code = sandbox.run([&] {
        Archive a = openArchive(fx.img);  // reading needs no write access
        int denied = 0;
        auto expectDenied = [&](auto&& op) {
            try {
                op();
            } catch (const FileError& e) {
                if (std::string(e.what()) == kAccessDenied) ++denied;
            }
        };
        expectDenied([&] { AddFileToArchive(a, src); });
        expectDenied([&] { RemoveEntryAt(a, 1); });
        expectDenied([&] { RenameEntry(a, 1, "zzz"); });
        expectDenied([&] { ReplaceEntry(a, 1, src); });
        expectDenied([&] { RebuildArchive(a); });
        return denied == 5 && a.Entries.size() == 5 ? 0 : 10 + denied;
    });

    EXPECT_EQ(code, 0);
    EXPECT_EQ(readFile(fx.img), img);
    EXPECT_EQ(readFile(c.form == Form::V1 ? fx.dirFile : fx.img), dirBytes);
    EXPECT_FALSE(fileExists(rebuildTempPath(fx.img)));
}

INSTANTIATE_TEST_SUITE_P(ReadOnly, EditorAccessTest,
                         ::testing::Values(DeniedCase{Form::V1, "img"}, DeniedCase{Form::V1, "dir"},
                                           DeniedCase{Form::V2, "img"}));

TEST(EditorLargeFileTest, EntriesBeyondFourGigabytesAreAddedAndReplacedAtTheRightBytes) {
    TempDir dir;
    std::string img = dir.file("huge.img");
    const uint32_t sector = kFarSector;
    writeFarEntryArchive(img, pattern(2048, 2));
    Archive a = openArchive(img);
    ASSERT_EQ(a.Entries[0].Offset, sector);
    writeFile(dir.file("n.bin"), pattern(3000, 3));
    writeFile(dir.file("r.bin"), pattern(100, 4));

    AddFileToArchive(a, dir.file("n.bin"));
    ReplaceEntry(a, 0, dir.file("r.bin"));

    Archive back = openArchive(img);
    EXPECT_EQ(back.Entries[1].Offset, sector + 1);
    EXPECT_TRUE(holdsData(img, back.Entries[1], pattern(3000, 3)));
    EXPECT_EQ(back.Entries[0].Offset, sector);
    Bytes far = entrySectors(img, back.Entries[0]);
    EXPECT_EQ(slice(far, 0, 100), pattern(100, 4));
    EXPECT_EQ(slice(far, 100, 1948), Bytes(1948, 0));
}

}  // namespace
