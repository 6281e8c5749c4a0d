#pragma once
// actdata.dat beside options.ini: the customised toolbar and menu bar, read at start and
// written when they change.
//
// The file is UTF-8 text, one bar per line ('#' starts a comment line, blank lines and
// "\r\n" line ends are accepted):
//
//   version=1
//   toolbar=FileNew1,FileOpen1,-,EditExtract1,...
//   menu=Файл:FileNew1,FileOpen1,-,MRUFile1,...,-,FileExit1
//   menu=Сервис:ServiceRebuild1,-,ServiceAssociations1(ServiceOpenAll1,-,ServiceGTA1,...),...
//   menu=Language@LanguageMenu1:LanguageSelect1
//
// A list holds command names and "-" (separator), separated by ','; a submenu command
// carries its items in parentheses. A "menu=" line is one item of the menu bar, in order:
// its caption, optionally "@" and the command behind it, ':' and its items. In a caption the
// bytes % : @ , ( ) = and control characters are written as %XX. A menu is written with the
// items and caption the command table gives it.
//
// Reading is forgiving about content and strict about shape. A "menu=" line stands for the
// top-level menu its command names, else for a command alone on the bar (no items), else
// for the menu that holds its first known item, else for the menu with its caption; one
// that is none of these is left out, as is a command name this program does not know (with
// its sub-items). A file that does not follow the shape above (no version line, an unknown
// line, unbalanced parentheses, a missing toolbar line) is corrupt, and the default layout
// is used instead.
#include <optional>
#include <string>

#include "core/settings/bar_layout.h"

namespace varmelo {

// nullopt when the text is corrupt.
std::optional<BarLayout> parseBarLayout(const std::string& text);
// Unknown command names are left out, so the file only ever holds what it can restore.
std::string formatBarLayout(const BarLayout& layout);

// The stored layout, or the default one when the file is missing, unreadable or corrupt.
BarLayout loadBarLayout(const std::string& path);
// false when the file could not be written.
bool saveBarLayout(const std::string& path, const BarLayout& layout);

}  // namespace varmelo
