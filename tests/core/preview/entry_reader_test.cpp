#include <gtest/gtest.h>

#include <functional>

#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/rw/chunk.h"
#include "core/io/entry_reader.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

void expectBeyondEnd(const std::function<void()>& f, const std::string& text = "Read beyond end of file") {
    try {
        f();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.what(), text);
    }
}

TEST(EntryReader, ReadsOnlyInsideItsRangeOfTheFile) {
    TempDir dir;
    Bytes file = pattern(100, 7);
    writeFile(dir.file("a.img"), file);
    BinaryFile f = BinaryFile::openRead(dir.file("a.img"));
    EntryReader r(f, 40, 20);
    EXPECT_EQ(r.size(), 20u);
    EXPECT_EQ(r.origin(), 40u);
    EXPECT_EQ(r.read(8), slice(file, 40, 8));
    EXPECT_EQ(r.pos(), 8u);
    EXPECT_EQ(r.remaining(), 12u);
    r.seek(16);
    EXPECT_EQ(r.u32le(), uint32_t(file[56]) | uint32_t(file[57]) << 8 | uint32_t(file[58]) << 16 |
                             uint32_t(file[59]) << 24);
    EXPECT_EQ(r.remaining(), 0u);
    expectBeyondEnd([&] { r.u8(); });
    r.seek(20);  // the end itself is a valid position
    expectBeyondEnd([&] { r.seek(21); });
    r.seek(10);
    expectBeyondEnd([&] { r.skip(11); });
    expectBeyondEnd([&] { r.read(11); });
    EXPECT_EQ(r.pos(), 10u) << "a refused read leaves the position alone";
}

TEST(EntryReader, RangeClaimingMoreThanTheFileFailsOnRead) {
    TempDir dir;
    writeFile(dir.file("a.img"), pattern(50, 1));
    EntryReader r = EntryReader::open(dir.file("a.img"), 40, 100);
    EXPECT_EQ(r.size(), 10u) << "sizes are checked against bytes that exist";
    EXPECT_EQ(r.read(10).size(), 10u);
    expectBeyondEnd([&] { r.read(1); });
    EntryReader past = EntryReader::open(dir.file("a.img"), 70, 100);
    EXPECT_EQ(past.size(), 0u);
    expectBeyondEnd([&] { past.u8(); });
}

TEST(EntryReader, InMemoryBytesBehaveAlike) {
    EntryReader r(Bytes{1, 2, 3, 4, 5});
    EXPECT_EQ(r.origin(), 0u);
    EXPECT_EQ(r.u16le(), 0x0201);
    EXPECT_EQ(r.u8(), 3);
    expectBeyondEnd([&] { r.u16le(); r.u16le(); });
    EntryReader empty(Bytes{});
    expectBeyondEnd([&] { empty.u8(); });
}

TEST(SeekChunk, StepsOverSiblingsWholeAndStopsInsideTheWanted) {
    Bytes data = cat({rwChunk(3, Bytes(5, 0xEE)), rwChunk(1, rwChunk(21, Bytes(3, 0))), rwChunk(22, Bytes{9, 8})});
    EntryReader r(data);
    ChunkHeader h = SeekChunk(r, 22);
    EXPECT_EQ(h.type, 22u);
    EXPECT_EQ(h.size, 2u);
    EXPECT_EQ(h.version, 0x1803FFFFu);
    EXPECT_EQ(r.pos(), data.size() - 2);
    EXPECT_EQ(r.u8(), 9);
}

TEST(SeekChunk, StepsIntoAChunkToFindItsChild) {
    Bytes data = rwChunk(22, cat({rwChunk(1, Bytes{7})}));
    EntryReader r(data);
    SeekChunk(r, 22);
    SeekChunk(r, 1);
    EXPECT_EQ(r.u8(), 7);
}

TEST(SeekChunk, StopsAtTheEntryEndInsteadOfReadingTheNextEntry) {
    // Entry 1 holds no texture dictionary; entry 2, right behind it in the archive, does.
    TempDir dir;
    Bytes entry1 = rwChunk(3, Bytes(20, 0));
    Bytes entry2 = rwChunk(22, Bytes(4, 0));
    writeFile(dir.file("a.img"), cat({entry1, entry2}));
    BinaryFile f = BinaryFile::openRead(dir.file("a.img"));
    EntryReader r(f, 0, entry1.size());
    expectBeyondEnd([&] { SeekChunk(r, 22); }, "Texture Dictionary at 0x20: not found before the end of the entry");
}

// Each failure names the chunk that ran past the end, or the one not found and where the
// search ended.
TEST(SeekChunk, OversizedOrEmptyChunksCannotLoopOrGoBack) {
    struct Case {
        const char* what;
        Bytes data;
        const char* error;
    };
    const Case cases[] = {
        {"size beyond the entry", cat({rwChunk(3, Bytes(4, 0)), Bytes{3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}}),
         "Extension at 0x10: runs past the end of the entry"},
        {"size 0xFFFFFFF4 that would wrap a 32-bit position",
         cat({Bytes{3, 0, 0, 0, 0xF4, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, rwChunk(22, {})}),
         "Extension at 0x0: runs past the end of the entry"},
        {"only empty chunks", cat({rwChunk(3, {}), rwChunk(3, {}), rwChunk(3, {})}),
         "Texture Dictionary at 0x24: not found before the end of the entry"},
        {"a partial header at the end", cat({rwChunk(3, {}), Bytes{22, 0, 0}}),
         "Texture Dictionary at 0xC: not found before the end of the entry"},
        {"nothing", Bytes{}, "Texture Dictionary at 0x0: not found before the end of the entry"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EntryReader r(c.data);
        expectBeyondEnd([&] { SeekChunk(r, 22); }, c.error);
    }
}

}  // namespace
