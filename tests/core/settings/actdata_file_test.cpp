#include "core/settings/actdata_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace varmelo;
using testing_support::TempDir;
using Names = std::vector<std::string>;

namespace {

std::string readText(const std::string& path) {
    auto b = testing_support::readFile(path);
    return std::string(b.begin(), b.end());
}

// The default layout as every version of this program has written it.
const char* const kDefaultFile =
    "# Varmelo toolbar and menu bar\nversion=1\n"
    "toolbar=FileNew1,FileOpen1,-,EditExtract1,EditAdd1,EditRemove1,-,SearchFind1,SearchFindNext1,"
    "SearchFilter1,-,HelpAbout1\n"
    "menu=Файл:FileNew1,FileOpen1,-,MRUFile1,MRUFile2,MRUFile3,MRUFile4,MRUFile5,-,FileExit1,-,FileNewTxd1\n"
    "menu=Правка:EditOpen1,EditRename1,-,EditExtract1,EditReplace1,EditAdd1,EditRemove1\n"
    "menu=Поиск:SearchFind1,SearchFindNext1,SearchFindAll1,-,SearchFilter1\n"
    "menu=Сервис:ServiceRebuild1,-,ServiceToolbar1,ServicePreview1,ServiceAntialiasing1,-,"
    "ServiceAssociations1(ServiceOpenAll1,-,ServiceGTA1,ServiceSyberia1,ServiceHP1,ServicePrey1,"
    "ServiceBratva1,ServiceCleaners1),-,ServiceStyle1(ServiceDefault1,ServiceXP1,ServiceStandard1),"
    "CustomizeActionBars1,ServiceGameFolder1\n"
    "menu=Language@LanguageMenu1:LanguageSelect1\n"
    "menu=Справка:HelpAbout1\n";

}  // namespace

TEST(ActDataFile, DefaultLayoutIsWrittenAsBeforeAndReadsBack) {
    EXPECT_EQ(formatBarLayout(defaultBarLayout()), kDefaultFile);
    EXPECT_EQ(parseBarLayout(kDefaultFile), defaultBarLayout());
}

TEST(ActDataFile, CustomLayoutsReadBackTheSame) {
    const BarLayout layouts[] = {
        {{"FileOpen1", "-", "HelpAbout1"}, {"Help1", "FileOpen1", "File1", "Service1"}},
        {{"ServiceStyle1", "SearchFind1"}, {"ServiceStyle1", "LanguageMenu1", "Service1"}},
        {{}, {"Service1"}},
    };
    TempDir dir;
    for (const BarLayout& l : layouts) {
        ASSERT_TRUE(saveBarLayout(dir.file("actdata.dat"), l));
        EXPECT_EQ(loadBarLayout(dir.file("actdata.dat")), l) << readText(dir.file("actdata.dat"));
    }
    // A command alone on the bar carries its name as caption; a submenu command on the
    // toolbar carries an empty list.
    EXPECT_EQ(formatBarLayout(layouts[1]),
              "# Varmelo toolbar and menu bar\nversion=1\ntoolbar=ServiceStyle1(),SearchFind1\n"
              "menu=ServiceStyle1@ServiceStyle1:\nmenu=Language@LanguageMenu1:LanguageSelect1\n"
              "menu=Сервис:ServiceRebuild1,-,ServiceToolbar1,ServicePreview1,ServiceAntialiasing1,-,"
              "ServiceAssociations1(ServiceOpenAll1,-,ServiceGTA1,ServiceSyberia1,ServiceHP1,ServicePrey1,"
              "ServiceBratva1,ServiceCleaners1),-,ServiceStyle1(ServiceDefault1,ServiceXP1,ServiceStandard1),"
              "CustomizeActionBars1,ServiceGameFolder1\n");
}

TEST(ActDataFile, MenusAreKnownByCommandItemsOrCaption) {
    struct Row {
        const char* line;
        Names menuBar;
    };
    const Row rows[] = {
        {"menu=Datei:FileNew1,-,FileExit1", {"File1"}},                // a translated caption
        {"menu=X:NoSuchCommand1,-,ServiceGTA1", {"Service1"}},         // the first known item, however deep
        {"menu=Справка:", {"Help1"}},                                  // an empty menu by its caption
        {"menu=Sprachen@LanguageMenu1:", {"LanguageMenu1"}},           // by the command behind it
        {"menu=Öffnen@FileOpen1:", {"FileOpen1"}},                      // a command alone on the bar
        {"menu=Edit%3A a%2C b %28c%29 %3D 100%25 %40x:EditAdd1", {"Edit1"}},  // escaped bytes
        {"menu=Nothing:", {}},                                         // neither: left out
        {"menu=Nothing@Future1:NoSuchCommand1(FileOpen1)", {}},
        {"menu=X@FileOpen1:-", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line);
        auto l = parseBarLayout(std::string("version=1\ntoolbar=\n") + r.line + "\n");
        ASSERT_TRUE(l);
        EXPECT_EQ(l->menuBar, r.menuBar);
    }
}

TEST(ActDataFile, UnknownCommandsAreSkipped) {
    auto l = parseBarLayout(
        "version=1\r\n# from a newer version\r\n"
        "toolbar=FileNew1,ToolsMagic1(FileOpen1),-,File1,HelpAbout1\r\n"
        "menu=Сервис@Future1:ServiceStyle1,Plugins1(FileNew1,Deeper1(FileOpen1)),ServiceAssociations1()\r\n");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->toolbar, (Names{"FileNew1", "-", "HelpAbout1"}));
    EXPECT_EQ(l->menuBar, (Names{"Service1"}));

    TempDir dir;
    BarLayout withUnknown{{"FileNew1", "Language3", "Edit1"}, {"Language0", "-", "Help1"}};
    ASSERT_TRUE(saveBarLayout(dir.file("actdata.dat"), withUnknown));
    EXPECT_EQ(readText(dir.file("actdata.dat")).find("Language3"), std::string::npos);
    EXPECT_EQ(loadBarLayout(dir.file("actdata.dat")), (BarLayout{{"FileNew1"}, {"Help1"}}));
}

TEST(ActDataFile, CorruptFilesFallBackToTheDefault) {
    const char* corrupt[] = {
        "",
        "toolbar=FileNew1\n",                               // no version
        "version=2\ntoolbar=FileNew1\n",                    // another format
        "version=1\n",                                      // no toolbar
        "version=1\ntoolbar=FileNew1\ntoolbar=FileOpen1\n",
        "version=1\ntoolbar=FileNew1,,FileOpen1\n",
        "version=1\ntoolbar=FileNew1\nmenu=Файл:ServiceStyle1(ServiceXP1\n",
        "version=1\ntoolbar=FileNew1\nmenu=Файл:ServiceStyle1)\n",
        "version=1\ntoolbar=FileNew1\nmenu=no colon\n",
        "version=1\ntoolbar=FileNew1\nmenu=bad%zzcaption:FileNew1\n",
        "version=1\ntoolbar=FileNew1\nmenu=A@:FileNew1\n",
        "version=1\ntoolbar=FileNew1\nwhat=ever\n",
        "version=1\ntoolbar=FileNew1\njust text\n",
        "version=1\ntoolbar=File New1\n",
        "version=1\ntoolbar=FileNew1\nmenu=A:a(b(c(d(e(f(g(h(i(j(k()))))))))))\n",
    };
    TempDir dir;
    for (const char* text : corrupt) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseBarLayout(text).has_value());
        testing_support::writeFile(dir.file("actdata.dat"), text);
        EXPECT_EQ(loadBarLayout(dir.file("actdata.dat")), defaultBarLayout());
    }
    std::string binary("version=1\ntoolbar=FileNew1\n\0\x01\x02", 29);
    EXPECT_FALSE(parseBarLayout(binary).has_value());
    EXPECT_EQ(loadBarLayout(dir.file("missing.dat")), defaultBarLayout());

    testing_support::writeFile(dir.file("file"), "x");
    EXPECT_FALSE(saveBarLayout(dir.file("file/actdata.dat"), defaultBarLayout()));
}
