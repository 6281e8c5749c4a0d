#include <gtest/gtest.h>

#include "core/archive/cstring_reader.h"
#include "core/io/buffered_reader.h"
#include "core/io/errors.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {
Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }
}  // namespace

TEST(BufferedReader, FieldsAcrossBlockEdgesReadLikeTheFile) {
    TempDir dir;
    Bytes bytes = pattern(1000, 7);
    writeFile(dir.file("f"), bytes);
    BinaryFile f = BinaryFile::openRead(dir.file("f"));
    BufferedReader in(f, 7);  // a tiny buffer puts fields across its edges
    EXPECT_EQ(in.size(), 1000u);
    Bytes got;
    for (size_t n : {3u, 5u, 1u, 7u, 8u, 100u, 2u}) {
        Bytes part(n);
        in.read(part.data(), n);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, slice(bytes, 0, got.size()));
    in.seek(5);  // back into what was read before
    EXPECT_EQ(in.readU8(), bytes[5]);
    in.seek(996);
    EXPECT_EQ(in.readU32le(), uint32_t(bytes[996] | bytes[997] << 8 | bytes[998] << 16 | uint32_t(bytes[999]) << 24));
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_THROW(in.readU8(), FileError);
}

TEST(BufferedReader, ReadOrSkipPastTheEndFails) {
    TempDir dir;
    writeFile(dir.file("f"), pattern(10, 1));
    BinaryFile f = BinaryFile::openRead(dir.file("f"));
    BufferedReader in(f);
    in.seek(8);
    uint8_t buf[4];
    try {
        in.read(buf, 4);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
    in.seek(2);
    EXPECT_THROW(in.skip(9), FileError);
    in.skip(8);
    EXPECT_EQ(in.pos(), 10u);
    in.seek(1u << 20);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_THROW(in.readU16le(), FileError);
}

TEST(ReadCString, ReadsNamesInTurnAcrossBlockEdges) {
    TempDir dir;
    writeFile(dir.file("f"), text(std::string("alpha\0\0b\0gamma.txd\0", 19)));
    BinaryFile f = BinaryFile::openRead(dir.file("f"));
    BufferedReader in(f, 4);
    EXPECT_EQ(ReadCString(in), "alpha");
    EXPECT_EQ(in.pos(), 6u);
    EXPECT_EQ(ReadCString(in), "");
    EXPECT_EQ(ReadCString(in), "b");
    EXPECT_EQ(ReadCString(in), "gamma.txd");
    EXPECT_EQ(in.pos(), 19u);
}

TEST(ReadCString, NameWithoutTerminatorFails) {
    TempDir dir;
    writeFile(dir.file("f"), text("no end"));
    BinaryFile f = BinaryFile::openRead(dir.file("f"));
    BufferedReader in(f);
    try {
        ReadCString(in);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Read beyond end of file");
    }
}

TEST(ReadCString, OverlongNameIsCutButConsumedWhole) {
    TempDir dir;
    std::string name(511, 'a');
    name += std::string(300, 'b');
    Bytes bytes = text(name);
    bytes.push_back(0);
    bytes.push_back('z');
    bytes.push_back(0);
    writeFile(dir.file("f"), bytes);
    BinaryFile f = BinaryFile::openRead(dir.file("f"));
    BufferedReader in(f, 64);
    EXPECT_EQ(ReadCString(in), std::string(511, 'a'));
    EXPECT_EQ(in.pos(), 812u);
    EXPECT_EQ(ReadCString(in), "z");
}
