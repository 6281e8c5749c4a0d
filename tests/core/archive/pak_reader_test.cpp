#include <gtest/gtest.h>

#include "core/archive/readers.h"
#include "support/archive_builders.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

TEST(PakReader, SizeComesBeforeOffsetInTheRecord) {
    TempDir dir;
    PakBuilder b;
    b.add("first.tga", pattern(300, 1)).add("second.dds", pattern(7, 2));
    b.write(dir.file("a.pak"));
    auto r = readDirectoryOf(readPakDirectory, dir.file("a.pak"));
    ASSERT_EQ(r.error, "");
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0], (TEntryRec{b.dataOffset(0), 300, "first.tga", 0}));
    EXPECT_EQ(r.entries[1], (TEntryRec{b.dataOffset(1), 7, "second.dds", 0}));
    EXPECT_EQ(b.dataOffset(1), 8u + 2 * 156 + 300);
}

TEST(PakReader, NameFillingAllHundredTwentyEightBytesIsKeptWhole) {
    TempDir dir;
    std::string name(128, 'n');
    name[0] = char(0xC0);  // Cyrillic bytes pass unchanged
    PakBuilder().add(name, pattern(4, 1)).add("b", {}).write(dir.file("a.pak"));
    auto r = readDirectoryOf(readPakDirectory, dir.file("a.pak"));
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_EQ(r.entries[0].Name, name);
    EXPECT_EQ(r.entries[0].Size, 4u);
    EXPECT_EQ(r.entries[1].Name, "b");
}
