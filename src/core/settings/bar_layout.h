#pragma once
// Which commands the toolbar and the menu bar show, and in which order: the customisation
// kept in actdata.dat beside options.ini, read at start and written at exit.
//
// actdata.dat is UTF-8 text, one bar per line ('#' starts a comment line, blank lines and
// "\r\n" line ends are accepted):
//
//   version=1
//   toolbar=FileNew1,FileOpen1,-,EditExtract1,...
//   menu=Файл:FileNew1,FileOpen1,-,MRUFile1,...,-,FileExit1
//   menu=Сервис:ServiceRebuild1,-,ServiceAssociations1(ServiceOpenAll1,-,ServiceGTA1,...),...
//   menu=Language@LanguageMenu1:LanguageSelect1
//
// A list holds command names and "-" (separator), separated by ','; a submenu command may
// carry its items in parentheses. A "menu=" line is one top-level menu of the menu bar, in
// order: its caption, optionally "@" and the command behind it, ':' and its items. In a
// caption the bytes % : @ , ( ) = and control characters are written as %XX.
//
// Reading is forgiving about content and strict about shape: a command name this program
// does not know is skipped (with its sub-items); a submenu command written without
// parentheses gets its standard items; a file that does not follow the shape above (no
// version line, an unknown line, unbalanced parentheses, a missing toolbar line) is
// corrupt, and the standard layout is used instead.
#include <optional>
#include <string>
#include <vector>

namespace varmelo {

inline constexpr const char* kBarSeparator = "-";

struct BarItem {
    std::string command;         // command name, or "-" for a separator; may be "" for a
                                 // top-level menu without a command
    std::string caption;         // top-level menus only (UTF-8)
    std::vector<BarItem> items;  // items of a submenu

    bool isSeparator() const { return command == kBarSeparator; }
    bool operator==(const BarItem&) const = default;
};

struct BarLayout {
    std::vector<BarItem> toolbar;  // flat: commands and separators
    std::vector<BarItem> menuBar;  // the top-level menus with their items

    bool operator==(const BarLayout&) const = default;
};

// The standard toolbar and the six menus of the menu bar.
BarLayout defaultBarLayout();

// Every command name a bar may show.
const std::vector<std::string>& barCommandNames();
bool isBarCommand(const std::string& name);
// Commands that open a submenu: ServiceAssociations1, ServiceStyle1, LanguageMenu1.
bool isSubmenuCommand(const std::string& name);

// nullopt when the text is corrupt.
std::optional<BarLayout> parseBarLayout(const std::string& text);
// Unknown command names are left out, so the file only ever holds what it can restore.
std::string formatBarLayout(const BarLayout& layout);

// The stored layout, or the standard one when the file is missing, unreadable or corrupt.
BarLayout loadBarLayout(const std::string& path);
// false when the file could not be written.
bool saveBarLayout(const std::string& path, const BarLayout& layout);

}  // namespace varmelo
