#include "core/settings/bar_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/settings/command_table.h"

using namespace varmelo;
using Names = std::vector<std::string>;

TEST(BarLayout, DefaultBarsShowOnlyTableItemsInTheirPlaces) {
    const BarLayout d = defaultBarLayout();
    EXPECT_EQ(sanitized(d), d);  // nothing unknown, doubled or dangling
    EXPECT_EQ(d.toolbar.front(), "FileNew1");
    EXPECT_EQ(d.toolbar.back(), "HelpAbout1");
    EXPECT_EQ(std::count(d.toolbar.begin(), d.toolbar.end(), kBarSeparator), 3);
    for (const std::string& name : d.toolbar)
        if (name != kBarSeparator) {
            EXPECT_EQ(findCommand(name)->kind, CommandKind::Command) << name;
        }
    EXPECT_EQ(d.menuBar, (Names{"File1", "Edit1", "Search1", "Service1", "LanguageMenu1", "Help1"}));
}

TEST(BarLayout, EveryCommandAppearsInExactlyOneDefaultMenu) {
    std::map<std::string, int> seen;
    for (const CommandDef& c : commandTable()) {
        if (!c.opensMenu()) continue;
        const Names items = defaultMenuItems(c.name);
        ASSERT_FALSE(items.empty()) << c.name;
        EXPECT_NE(items.front(), kBarSeparator);
        EXPECT_NE(items.back(), kBarSeparator);
        for (size_t i = 1; i < items.size(); ++i)
            EXPECT_FALSE(items[i] == kBarSeparator && items[i - 1] == kBarSeparator) << c.name;
        for (const std::string& item : items)
            if (item != kBarSeparator) ++seen[item];
    }
    for (const CommandDef& c : commandTable())
        if (c.menu != kMenuBar && c.menu != kPreviewPages) {
            EXPECT_EQ(seen[std::string(c.name)], 1) << c.name;
        }
    EXPECT_EQ(defaultMenuItems("Search1"), (Names{"SearchFind1", "SearchFindNext1", "SearchFindAll1", "-", "SearchFilter1"}));
    EXPECT_TRUE(defaultMenuItems("NoSuchMenu").empty());
}

TEST(BarLayout, SanitizingDropsWhatCannotBeShown) {
    struct Row {
        const char* what;
        BarLayout in;
        BarLayout out;
    };
    const Row rows[] = {
        {"unknown names and repeats",
         {{"FileOpen1", "NoSuchCommand", "FileOpen1", "HelpAbout1"}, {"Help1", "Gone1", "File1", "Service1"}},
         {{"FileOpen1", "HelpAbout1"}, {"Help1", "File1", "Service1"}}},
        {"leading, doubled and trailing separators",
         {{"-", "FileOpen1", "-", "-", "HelpAbout1", "-"}, {"-", "Service1", "-"}},
         {{"FileOpen1", "-", "HelpAbout1"}, {"Service1"}}},
        {"the menu with the customize command comes back", {{}, {"Help1"}}, {{}, {"Help1", "Service1"}}},
        {"a menu bar emptied by hand", {{}, {}}, {{}, {"Service1"}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(sanitized(r.in).toolbar, r.out.toolbar);
        EXPECT_EQ(sanitized(r.in).menuBar, r.out.menuBar);
    }
}
