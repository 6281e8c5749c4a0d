// Rules every row of the command table must follow, so that a new row cannot break the
// menus, the bars or the shortcuts without a test failing.
#include "core/settings/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

using namespace varmelo;

TEST(CommandTable, NamesShortcutsAndPlacesAreUnique) {
    std::set<std::string_view> names, shortcuts;
    std::set<int> toolbar, context;
    for (const CommandDef& c : commandTable()) {
        EXPECT_TRUE(names.insert(c.name).second) << "name twice: " << c.name;
        if (!c.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(c.shortcut).second) << "shortcut twice: " << c.shortcut;
        }
        if (c.toolbar.at) {
            EXPECT_TRUE(toolbar.insert(c.toolbar.at).second) << c.name;
        }
        if (c.contextMenu.at) {
            EXPECT_TRUE(context.insert(c.contextMenu.at).second) << c.name;
        }
        EXPECT_EQ(findCommand(c.name), &c);
    }
    EXPECT_EQ(findCommand("NoSuchCommand1"), nullptr);
}

TEST(CommandTable, EveryRowHasACaptionAndAHintThatMatchesIt) {
    for (const CommandDef& c : commandTable()) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_FALSE(c.caption.empty());
        EXPECT_EQ(c.name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
                  std::string_view::npos);
        if (c.hint.empty()) continue;
        // "short|long": the short part is the caption without its dialog dots.
        const size_t bar = c.hint.find('|');
        ASSERT_NE(bar, std::string_view::npos);
        EXPECT_EQ(c.hint.find('|', bar + 1), std::string_view::npos);
        std::string_view caption = c.caption;
        if (caption.ends_with("...")) caption.remove_suffix(3);
        EXPECT_EQ(c.hint.substr(0, bar), caption);
        EXPECT_GT(c.hint.size(), bar + 1);
    }
}

TEST(CommandTable, EveryCommandSitsInAMenuThatOpensFromTheMenuBar) {
    for (const CommandDef& c : commandTable()) {
        SCOPED_TRACE(std::string(c.name));
        // Climb to the menu bar; a loop or a parent that opens nothing fails.
        const CommandDef* at = &c;
        int steps = 0;
        while (at->menu != kMenuBar && at->menu != kPreviewPages) {
            const CommandDef* parent = findCommand(at->menu);
            ASSERT_NE(parent, nullptr) << at->menu;
            ASSERT_TRUE(parent->opensMenu()) << parent->name;
            at = parent;
            ASSERT_LT(++steps, 4);
        }
        if (c.kind == CommandKind::Menu) {
            EXPECT_EQ(c.menu, kMenuBar);
        }
        // Only a page's menu opens over the pages, and only its items follow the page's state.
        EXPECT_EQ(c.menu == kPreviewPages, c.kind == CommandKind::PageMenu);
        EXPECT_EQ(isPageCommand(c), c.enabledWhen == EnableRule::PageState);
        if (c.opensMenu()) {
            EXPECT_TRUE(c.shortcut.empty());
            EXPECT_FALSE(c.checkable);
            EXPECT_EQ(c.enabledWhen, EnableRule::Always);
        }
        EXPECT_TRUE(c.checkable || !c.checked);
    }
}

TEST(CommandTable, MenusHoldItemsAndSeparatorsOnlyBetweenThem) {
    std::map<std::string_view, int> items;
    for (const CommandDef& c : commandTable()) {
        if (c.menu == kMenuBar) continue;
        // A separator never opens a menu.
        if (c.gapBefore) {
            EXPECT_GT(items[c.menu], 0) << c.name;
        }
        ++items[c.menu];
    }
    for (const CommandDef& c : commandTable())
        if (c.opensMenu()) {
            EXPECT_GT(items[c.name], 0) << "empty menu " << c.name;
        }
}

TEST(CommandTable, RulesFollowTheFacts) {
    struct Row {
        EnableRule rule;
        CommandFacts facts;
        bool enabled;
    };
    const BrowserFacts none, open{.archiveOpen = true}, editable{.archiveOpen = true, .archiveEditable = true};
    const BrowserFacts row{.archiveOpen = true, .rowSelected = true};
    const BrowserFacts editableRow{.archiveOpen = true, .archiveEditable = true, .rowSelected = true};
    const BrowserFacts searched{.archiveOpen = true, .searchStarted = true};
    const Row rows[] = {
        {EnableRule::Always, {none, false}, true},
        {EnableRule::ArchiveOpen, {none}, false},
        {EnableRule::ArchiveOpen, {open}, true},
        {EnableRule::ArchiveEditable, {open}, false},
        {EnableRule::ArchiveEditable, {editable}, true},
        {EnableRule::RowSelected, {editable}, false},
        {EnableRule::RowSelected, {row}, true},
        {EnableRule::RowSelectedEditable, {row}, false},
        {EnableRule::RowSelectedEditable, {editable}, false},
        {EnableRule::RowSelectedEditable, {editableRow}, true},
        {EnableRule::SearchStarted, {editableRow}, false},
        {EnableRule::SearchStarted, {searched}, true},
        {EnableRule::ProgramMenuBar, {editableRow, false}, false},
        {EnableRule::ProgramMenuBar, {none, true}, true},
        {EnableRule::PageState, {none, false}, true},  // the window leaves it to the page
    };
    for (const Row& r : rows)
        EXPECT_EQ(isEnabled(r.rule, r.facts), r.enabled) << "rule " << int(r.rule);
    // Every rule the table uses is one of those checked above.
    std::set<EnableRule> checked, used;
    for (const Row& r : rows) checked.insert(r.rule);
    for (const CommandDef& c : commandTable()) used.insert(c.enabledWhen);
    EXPECT_TRUE(std::includes(checked.begin(), checked.end(), used.begin(), used.end()));
}
