#include "core/settings/bar_layout.h"

#include <algorithm>
#include <map>

#include "core/settings/command_table.h"

namespace varmelo {

namespace {

std::vector<std::string> cleanList(const std::vector<std::string>& items) {
    std::vector<std::string> out;
    for (const std::string& name : items) {
        if (name == kBarSeparator) {
            if (!out.empty() && out.back() != kBarSeparator) out.push_back(name);
        } else if (findCommand(name) && std::find(out.begin(), out.end(), name) == out.end()) {
            out.push_back(name);
        }
    }
    while (!out.empty() && out.back() == kBarSeparator) out.pop_back();
    return out;
}

}  // namespace

BarLayout defaultBarLayout() {
    BarLayout l;
    std::map<int, const CommandDef*> toolbar;
    for (const CommandDef& c : commandTable()) {
        if (c.toolbar.at > 0) toolbar.emplace(c.toolbar.at, &c);
        if (c.menu == kMenuBar) l.menuBar.emplace_back(c.name);
    }
    for (const auto& [at, c] : toolbar) {
        if (c->toolbar.gapBefore && !l.toolbar.empty()) l.toolbar.emplace_back(kBarSeparator);
        l.toolbar.emplace_back(c->name);
    }
    return l;
}

std::vector<std::string> defaultMenuItems(std::string_view menu) {
    std::vector<std::string> items;
    for (const CommandDef& c : commandTable()) {
        if (c.menu != menu) continue;
        if (c.gapBefore && !items.empty()) items.emplace_back(kBarSeparator);
        items.emplace_back(c.name);
    }
    return items;
}

BarLayout sanitized(const BarLayout& layout) {
    BarLayout out{cleanList(layout.toolbar), cleanList(layout.menuBar)};
    for (const CommandDef& c : commandTable())
        if (c.keepOnMenuBar && std::find(out.menuBar.begin(), out.menuBar.end(), c.name) == out.menuBar.end())
            out.menuBar.emplace_back(c.name);
    return out;
}

}  // namespace varmelo
