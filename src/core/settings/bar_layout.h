#pragma once
// Which items the toolbar and the program's menu bar show, and in which order: the default
// one from the command table, or the one the user made in the customize dialog.
#include <string>
#include <string_view>
#include <vector>

namespace varmelo {

inline constexpr const char* kBarSeparator = "-";

struct BarLayout {
    std::vector<std::string> toolbar;  // command names and separators
    std::vector<std::string> menuBar;  // top-level menus (or commands) and separators

    bool operator==(const BarLayout&) const = default;
};

// The toolbar and the menu bar as the command table places them.
BarLayout defaultBarLayout();

// The items of a menu as the command table places them: names and separators.
std::vector<std::string> defaultMenuItems(std::string_view menu);

// Drops names this program does not know (a file written by another version), repeated
// items and doubled, leading or trailing separators, and puts back the menus the menu bar
// must keep: without them the customize command could no longer be reached.
BarLayout sanitized(const BarLayout& layout);

}  // namespace varmelo
