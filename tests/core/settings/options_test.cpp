#include "core/settings/options.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

#include "core/io/file_system.h"
#include "core/settings/ini_document.h"
#include "core/settings/settings_location.h"
#include "support/read_only.h"
#include "support/temp_dir.h"

using namespace varmelo;
using testing_support::TempDir;

namespace {

std::string readText(const std::string& path) {
    auto b = testing_support::readFile(path);
    return std::string(b.begin(), b.end());
}

Environment fakeEnv(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) {
        auto it = vars.find(name);
        return it == vars.end() ? std::string() : it->second;
    };
}

}  // namespace

TEST(OptionsTest, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
    TempDir dir;
    Options o(dir.file("options.ini"));
    o.load();
    EXPECT_EQ(o.firstRun(), 1);
    EXPECT_EQ(o.menuStyle(), 0);
    EXPECT_EQ(o.language(), "");
    for (const auto& e : o.recentFiles().entries()) EXPECT_EQ(e, "");

    ASSERT_TRUE(o.writeFirstRun(0));
    EXPECT_EQ(readText(dir.file("options.ini")), "[Main]\nFirstRun=0\n");

    // The next start asks nothing.
    Options next(dir.file("options.ini"));
    next.load();
    EXPECT_EQ(next.firstRun(), 0);
}

TEST(OptionsTest, WriteKeepsEveryOtherKeySectionAndSpelling) {
    TempDir dir;
    testing_support::writeFile(dir.file("options.ini"),
                               "[main]\r\nFirstRun=0\r\nUserKey = kept value\r\n"
                               "; a note of the user\r\n[Other]\r\nfoo=bar\r\n[MRU]\r\n00=C:\\Games\\gta3.img\r\n");
    Options o(dir.file("options.ini"));
    o.load();
    EXPECT_EQ(o.recentFiles().at(0), "C:\\Games\\gta3.img");
    ASSERT_TRUE(o.writeMenuStyle(1));
    ASSERT_TRUE(o.writeLanguage("English.lng"));

    EXPECT_EQ(readText(dir.file("options.ini")),
              "[main]\nFirstRun=0\nUserKey=kept value\nMenuStyle=1\nLanguage=English.lng\n\n"
              "; a note of the user\n[Other]\nfoo=bar\n\n[MRU]\n00=C:\\Games\\gta3.img\n");
}

TEST(OptionsTest, SectionAndKeyNamesMatchWithoutCase) {
    TempDir dir;
    testing_support::writeFile(dir.file("options.ini"), "[MAIN]\nfirstrun=0\nMENUSTYLE=-1\nlanguage=Deutsch.lng\n");
    Options o(dir.file("options.ini"));
    o.load();
    EXPECT_EQ(o.firstRun(), 0);
    EXPECT_EQ(o.menuStyle(), -1);
    EXPECT_EQ(o.language(), "Deutsch.lng");
}

TEST(OptionsTest, StoredMenuStyleIsKeptAndMapsToALook) {
    struct Row {
        const char* stored;
        int value;
        MenuLook look;
        bool checksCommand;
    };
    const Row rows[] = {
        {"-1", -1, MenuLook::Native, true}, {"0", 0, MenuLook::Xp, true},   {"1", 1, MenuLook::Plain, true},
        {"5", 5, MenuLook::Plain, false},   {"-7", -7, MenuLook::Native, false},
        {"$10", 16, MenuLook::Plain, false}, {"plain", 0, MenuLook::Xp, true}, {"", 0, MenuLook::Xp, true},
        {"99999999999", 0, MenuLook::Xp, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        TempDir dir;
        testing_support::writeFile(dir.file("options.ini"), std::string("[Main]\nMenuStyle=") + r.stored + "\n");
        Options o(dir.file("options.ini"));
        o.load();
        EXPECT_EQ(o.menuStyle(), r.value);
        EXPECT_EQ(menuLookOf(o.menuStyle()), r.look);
        int command = 42;
        EXPECT_EQ(styleCommandOf(o.menuStyle(), command), r.checksCommand);
        if (r.checksCommand) {
            EXPECT_EQ(command, r.value);
        }
    }
}

TEST(OptionsTest, MenuStyleFiveIsWrittenBackAsFive) {
    TempDir dir;
    testing_support::writeFile(dir.file("options.ini"), "[Main]\nMenuStyle=5\n");
    Options o(dir.file("options.ini"));
    o.load();
    ASSERT_TRUE(o.writeMenuStyle(o.menuStyle()));
    EXPECT_EQ(readText(dir.file("options.ini")), "[Main]\nMenuStyle=5\n");
}

TEST(OptionsTest, UnwritableLocationReportsFailureAndKeepsValues) {
    TempDir dir;
    testing_support::writeFile(dir.file("plainfile"), "x");
    Options o(dir.file("plainfile/varmelo/options.ini"));
    o.load();
    EXPECT_FALSE(o.writeFirstRun(0));
    EXPECT_EQ(o.firstRun(), 0);  // the run goes on with what the user chose
    bool written = true;
    EXPECT_TRUE(o.noteRecentFile("/a.img", &written));
    EXPECT_FALSE(written);
    EXPECT_EQ(o.recentFiles().at(0), "/a.img");
}

TEST(OptionsTest, AnExistingFileThatCannotBeReadIsNotReplaced) {
    TempDir dir;
    std::string path = dir.file("options.ini");
    ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    Options o(path);
    o.load();
    EXPECT_FALSE(o.writeMenuStyle(1));
    EXPECT_TRUE(directoryExists(path));
}

TEST(OptionsTest, TheConfigurationFolderIsCreatedByTheFirstWrite) {
    TempDir dir;
    auto loc = findSettingsLocation(dir.file("no-such-folder"), fakeEnv({{"XDG_CONFIG_HOME", dir.file("cfg")}}));
    EXPECT_FALSE(loc.portable);
    EXPECT_FALSE(directoryExists(dir.file("cfg")));
    Options o(loc.optionsPath());
    ASSERT_TRUE(o.writeLanguage("Русский.lng"));
    EXPECT_EQ(readText(dir.file("cfg/varmelo/options.ini")), "[Main]\nLanguage=Русский.lng\n");
}

TEST(SettingsLocationTest, PortableFolderFirstThenTheUsersConfigurationFolder) {
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("bin").c_str(), 0755), 0);
    auto portable = findSettingsLocation(dir.file("bin"), fakeEnv({{"HOME", "/home/u"}}));
    EXPECT_TRUE(portable.portable);
    EXPECT_EQ(portable.optionsPath(), dir.file("bin/options.ini"));
    EXPECT_EQ(portable.barLayoutPath(), dir.file("bin/actdata.dat"));

    struct Row {
        std::map<std::string, std::string> env;
        std::string folder;
    };
    const Row rows[] = {
        {{{"XDG_CONFIG_HOME", "/x/cfg"}, {"HOME", "/home/u"}}, "/x/cfg/varmelo"},
        {{{"XDG_CONFIG_HOME", "relative/cfg"}, {"HOME", "/home/u/"}}, "/home/u/.config/varmelo"},
        {{{"HOME", "/home/u"}}, "/home/u/.config/varmelo"},
        {{}, ""},
    };
    for (const Row& r : rows) {
        auto loc = findSettingsLocation(dir.file("missing"), fakeEnv(r.env));
        EXPECT_FALSE(loc.portable);
        EXPECT_EQ(loc.folder, r.folder);
    }
    EXPECT_EQ(xdgDataHome(fakeEnv({{"HOME", "/home/u"}})), "/home/u/.local/share");
}

TEST(SettingsLocationTest, AnInstalledProgramKeepsItsSettingsInTheConfigurationFolderEvenWhenItsFolderIsWritable) {
    TempDir dir;
    makeFolders(dir.file("prefix/bin"));
    makeFolders(dir.file("prefix/share/varmelo"));
    const auto env = fakeEnv({{"XDG_CONFIG_HOME", dir.file("cfg")}});
    for (const std::string& folder : {dir.file("prefix/bin"), dir.file("prefix/bin/")}) {
        auto loc = findSettingsLocation(folder, env);
        EXPECT_FALSE(loc.portable) << folder;
        EXPECT_EQ(loc.optionsPath(), dir.file("cfg/varmelo/options.ini")) << folder;
    }
    // A copy beside a share folder of other programs is still portable.
    makeFolders(dir.file("other/bin"));
    makeFolders(dir.file("other/share/another"));
    EXPECT_TRUE(findSettingsLocation(dir.file("other/bin"), env).portable);
}

TEST(OptionsTest, AReadOnlyOptionsFileIsLeftAsItIs) {
    TempDir dir;
    testing_support::writeFile(dir.file("options.ini"), "[Main]\nFirstRun=1\n");
    testing_support::ReadOnlyFile guard(dir.file("options.ini"));
    if (!guard.effective()) GTEST_SKIP() << "cannot make a file read-only here";
    Options o(dir.file("options.ini"));
    o.load();
    EXPECT_FALSE(o.writeFirstRun(0));
    EXPECT_EQ(readText(dir.file("options.ini")), "[Main]\nFirstRun=1\n");
}

TEST(OptionsTest, GameViewIsOffUntilWrittenAndSurvivesTheNextStart) {
    TempDir dir;
    testing_support::writeFile(dir.file("options.ini"), "[Main]\nFirstRun=0\n");
    Options o(dir.file("options.ini"));
    o.load();
    EXPECT_FALSE(o.gameView());
    ASSERT_TRUE(o.writeGameView(true));
    EXPECT_EQ(readText(dir.file("options.ini")), "[Main]\nFirstRun=0\nGameView=1\n");

    Options next(dir.file("options.ini"));
    next.load();
    EXPECT_TRUE(next.gameView());
    ASSERT_TRUE(next.writeGameView(false));
    EXPECT_EQ(readText(dir.file("options.ini")), "[Main]\nFirstRun=0\nGameView=0\n");
    EXPECT_EQ(next.gameFolder(), "");
    ASSERT_TRUE(next.writeGameFolder("/games/gta sa"));
    Options third(dir.file("options.ini"));
    third.load();
    EXPECT_EQ(third.gameFolder(), "/games/gta sa");

    // Any number but 0 is on; words are off.
    for (const auto& [stored, on] : std::vector<std::pair<std::string, bool>>{{"2", true}, {"0", false}, {"yes", false}}) {
        testing_support::writeFile(dir.file("options.ini"), "[Main]\nGameView=" + stored + "\n");
        Options again(dir.file("options.ini"));
        again.load();
        EXPECT_EQ(again.gameView(), on) << stored;
    }
}
