#include "core/settings/recent_files.h"

#include <gtest/gtest.h>

#include "core/settings/ini_document.h"
#include "core/settings/options.h"
#include "support/temp_dir.h"

using namespace varmelo;
using testing_support::TempDir;

namespace {

std::array<std::string, kRecentFileCount> list(std::initializer_list<std::string> first) {
    std::array<std::string, kRecentFileCount> a;
    size_t i = 0;
    for (const auto& s : first) a[i++] = s;
    return a;
}

std::string readText(const std::string& path) {
    auto b = testing_support::readFile(path);
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(RecentFilesTest, NoteComparesOnlyTheFirstEntryExactly) {
    RecentFiles r;
    EXPECT_TRUE(r.note("/a.img"));
    EXPECT_FALSE(r.note("/a.img"));  // the same archive twice in a row
    EXPECT_EQ(r.entries(), list({"/a.img"}));
    EXPECT_TRUE(r.note("/b.img"));
    EXPECT_TRUE(r.note("/a.img"));  // A, B, A: the older A stays further down
    EXPECT_EQ(r.entries(), list({"/a.img", "/b.img", "/a.img"}));
    EXPECT_TRUE(r.note("/A.img"));  // case counts
    EXPECT_EQ(r.at(0), "/A.img");
}

TEST(RecentFilesTest, TheSixthPushesTheOldestOutAndIsWrittenAs00To04) {
    TempDir dir;
    Options o(dir.file("options.ini"));
    o.load();
    for (const char* p : {"/1.img", "/2.img", "/3.img", "/4.img", "/5.img", "/6.img"}) o.noteRecentFile(p);
    EXPECT_EQ(o.recentFiles().entries(), list({"/6.img", "/5.img", "/4.img", "/3.img", "/2.img"}));
    EXPECT_EQ(readText(dir.file("options.ini")),
              "[MRU]\n00=/6.img\n01=/5.img\n02=/4.img\n03=/3.img\n04=/2.img\n");
}

TEST(RecentFilesTest, UnchangedListIsNotWritten) {
    TempDir dir;
    testing_support::writeFile(dir.file("options.ini"), "[MRU]\n00=/a.img\n");
    Options o(dir.file("options.ini"));
    o.load();
    testing_support::writeFile(dir.file("options.ini"), "[MRU]\n00=/a.img\nmarker=1\n");
    bool written = false;
    EXPECT_FALSE(o.noteRecentFile("/a.img", &written));
    EXPECT_TRUE(written);
    EXPECT_EQ(readText(dir.file("options.ini")), "[MRU]\n00=/a.img\nmarker=1\n");
}

TEST(RecentFilesTest, GapsAreReadPackedAndStaleKeysDoNotComeBack) {
    IniDocument ini;
    ini.parse("[MRU]\n00=/a.img\n01=\n03=/d.img\n04=/e.img\n");
    RecentFiles r = RecentFiles::read(ini);
    EXPECT_EQ(r.entries(), list({"/a.img", "/d.img", "/e.img"}));
    r.note("/new.img");
    r.write(ini);
    EXPECT_EQ(ini.serialize(), "[MRU]\n00=/new.img\n01=/a.img\n03=/e.img\n02=/d.img\n");
    EXPECT_EQ(RecentFiles::read(ini).entries(), list({"/new.img", "/a.img", "/d.img", "/e.img"}));
}

TEST(RecentFilesTest, PathsAreKeptAsRawBytes) {
    TempDir dir;
    const std::string cp1251Path = "/games/\xC8\xE3\xF0\xE0/gta3.img";  // "Игра" in Windows-1251
    const std::string withBreak = "/odd\nname.img";
    Options o(dir.file("options.ini"));
    o.noteRecentFile(cp1251Path);
    o.noteRecentFile(withBreak);
    EXPECT_EQ(readText(dir.file("options.ini")), "[MRU]\n01=" + cp1251Path + "\n");
    Options again(dir.file("options.ini"));
    again.load();
    EXPECT_EQ(again.recentFiles().at(0), cp1251Path);
}
