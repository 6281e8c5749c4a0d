#include "core/settings/bar_layout.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

using namespace varmelo;
using testing_support::TempDir;

namespace {

std::vector<std::string> commands(const std::vector<BarItem>& items) {
    std::vector<std::string> out;
    for (const auto& i : items) out.push_back(i.command);
    return out;
}

std::string readText(const std::string& path) {
    auto b = testing_support::readFile(path);
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(BarLayoutTest, DefaultLayoutHasTheStandardToolbarAndSixMenus) {
    BarLayout d = defaultBarLayout();
    EXPECT_EQ(commands(d.toolbar),
              (std::vector<std::string>{"FileNew1", "FileOpen1", "-", "EditExtract1", "EditAdd1", "EditRemove1", "-",
                                        "SearchFind1", "SearchFindNext1", "SearchFilter1", "-", "HelpAbout1"}));
    ASSERT_EQ(d.menuBar.size(), 6u);
    std::vector<std::string> captions;
    for (const auto& m : d.menuBar) captions.push_back(m.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Файл", "Правка", "Поиск", "Сервис", "Language", "Справка"}));
    EXPECT_EQ(d.menuBar[4].command, "LanguageMenu1");
    EXPECT_EQ(commands(d.menuBar[0].items),
              (std::vector<std::string>{"FileNew1", "FileOpen1", "-", "MRUFile1", "MRUFile2", "MRUFile3", "MRUFile4",
                                        "MRUFile5", "-", "FileExit1"}));
    const auto& service = d.menuBar[3].items;
    EXPECT_EQ(commands(service),
              (std::vector<std::string>{"ServiceRebuild1", "-", "ServiceToolbar1", "ServicePreview1",
                                        "ServiceAntialiasing1", "-", "ServiceAssociations1", "-", "ServiceStyle1",
                                        "CustomizeActionBars1"}));
    EXPECT_EQ(commands(service[6].items),
              (std::vector<std::string>{"ServiceOpenAll1", "-", "ServiceGTA1", "ServiceSyberia1", "ServiceHP1",
                                        "ServicePrey1", "ServiceBratva1", "ServiceCleaners1"}));
    EXPECT_EQ(commands(service[8].items),
              (std::vector<std::string>{"ServiceDefault1", "ServiceXP1", "ServiceStandard1"}));
    // Every name the layout uses is one the reader accepts.
    auto check = [](const std::vector<BarItem>& items, auto& self) -> void {
        for (const auto& i : items) {
            if (!i.isSeparator()) {
                EXPECT_TRUE(isBarCommand(i.command)) << i.command;
            }
            self(i.items, self);
        }
    };
    check(d.toolbar, check);
    for (const auto& m : d.menuBar) check(m.items, check);
}

TEST(BarLayoutTest, SavedLayoutReadsBackTheSame) {
    TempDir dir;
    BarLayout l = defaultBarLayout();
    l.toolbar.erase(l.toolbar.begin() + 2, l.toolbar.begin() + 6);
    std::swap(l.menuBar[0], l.menuBar[5]);
    l.menuBar[1].caption = "Edit: a, b (c) = 100% @x";
    l.menuBar[3].items[8].items.pop_back();
    l.menuBar[3].items[6].items.clear();
    ASSERT_TRUE(saveBarLayout(dir.file("actdata.dat"), l));
    EXPECT_EQ(loadBarLayout(dir.file("actdata.dat")), l);

    EXPECT_EQ(formatBarLayout(defaultBarLayout()),
              "# Varmelo toolbar and menu bar\nversion=1\n"
              "toolbar=FileNew1,FileOpen1,-,EditExtract1,EditAdd1,EditRemove1,-,SearchFind1,SearchFindNext1,"
              "SearchFilter1,-,HelpAbout1\n"
              "menu=Файл:FileNew1,FileOpen1,-,MRUFile1,MRUFile2,MRUFile3,MRUFile4,MRUFile5,-,FileExit1\n"
              "menu=Правка:EditOpen1,EditRename1,-,EditExtract1,EditReplace1,EditAdd1,EditRemove1\n"
              "menu=Поиск:SearchFind1,SearchFindNext1,SearchFindAll1,-,SearchFilter1\n"
              "menu=Сервис:ServiceRebuild1,-,ServiceToolbar1,ServicePreview1,ServiceAntialiasing1,-,"
              "ServiceAssociations1(ServiceOpenAll1,-,ServiceGTA1,ServiceSyberia1,ServiceHP1,ServicePrey1,"
              "ServiceBratva1,ServiceCleaners1),-,ServiceStyle1(ServiceDefault1,ServiceXP1,ServiceStandard1),"
              "CustomizeActionBars1\n"
              "menu=Language@LanguageMenu1:LanguageSelect1\n"
              "menu=Справка:HelpAbout1\n");
}

TEST(BarLayoutTest, UnknownCommandsAreSkippedAndBareSubmenusGetTheirItems) {
    auto l = parseBarLayout(
        "version=1\r\n# from a newer version\r\n"
        "toolbar=FileNew1,ToolsMagic1,-,HelpAbout1\r\n"
        "menu=Сервис@Future1:ServiceStyle1,Plugins1(FileNew1,Deeper1(FileOpen1)),ServiceAssociations1()\r\n"
        "menu=Language@LanguageMenu1:Language0,Language1,LanguageSelect1\r\n");
    ASSERT_TRUE(l);
    EXPECT_EQ(commands(l->toolbar), (std::vector<std::string>{"FileNew1", "-", "HelpAbout1"}));
    ASSERT_EQ(l->menuBar.size(), 2u);
    EXPECT_EQ(l->menuBar[0].caption, "Сервис");
    EXPECT_EQ(l->menuBar[0].command, "");
    EXPECT_EQ(commands(l->menuBar[0].items), (std::vector<std::string>{"ServiceStyle1", "ServiceAssociations1"}));
    EXPECT_EQ(commands(l->menuBar[0].items[0].items),
              (std::vector<std::string>{"ServiceDefault1", "ServiceXP1", "ServiceStandard1"}));
    EXPECT_TRUE(l->menuBar[0].items[1].items.empty());
    EXPECT_EQ(commands(l->menuBar[1].items), (std::vector<std::string>{"LanguageSelect1"}));
}

TEST(BarLayoutTest, CorruptFilesFallBackToTheDefault) {
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
}

TEST(BarLayoutTest, WritingSkipsUnknownCommandsAndReportsFailure) {
    TempDir dir;
    BarLayout l = defaultBarLayout();
    l.toolbar.push_back(BarItem{"Language3", {}, {}});
    l.menuBar[4].items.insert(l.menuBar[4].items.begin(), BarItem{"Language0", {}, {}});
    ASSERT_TRUE(saveBarLayout(dir.file("actdata.dat"), l));
    EXPECT_EQ(loadBarLayout(dir.file("actdata.dat")), defaultBarLayout());
    EXPECT_EQ(readText(dir.file("actdata.dat")).find("Language0"), std::string::npos);

    testing_support::writeFile(dir.file("file"), "x");
    EXPECT_FALSE(saveBarLayout(dir.file("file/actdata.dat"), l));
}
