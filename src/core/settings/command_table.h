#pragma once
// Every command of the main window and of the preview pages' context menus, and every menu of
// the menu bar, in one table: what it is called, what it says, when it can run and where it
// stands by default. The menus, the toolbar, the list's context menu, the pages' context
// menus, the customize dialog and actdata.dat all read this table; the gui only adds pictures
// and handlers.
#include <span>
#include <string_view>

namespace varmelo {

enum class CommandKind {
    Command,  // runs something when chosen
    Submenu,  // a command whose only job is to open its submenu
    Menu,     // a top-level menu of the menu bar that is not itself a command
    PageMenu, // the context menu of a preview page, named like its widget ("PopupMenu2")
};

// The picture a command shows; the gui decides what each one looks like.
enum class CommandIcon { None, NewFile, OpenFile, Extract, Add, Remove, Replace, Find, FindNext, Filter, About, Exit };

// When a command can be run.
enum class EnableRule {
    Always,
    ArchiveOpen,          // a load has got as far as reading an archive's directory
    ArchiveEditable,      // ... of a kind this program can write
    RowSelected,          // a list row that shows an entry is selected
    RowSelectedEditable,  // ... in an archive this program can write
    SearchStarted,        // the find dialog has been opened since the archive was loaded
    ProgramMenuBar,       // the menu bar is the program's own, not the native window menu
    PageState,            // what the page of a page command shows, which the page knows
};

// What the entry list knows about the current archive and selection.
struct BrowserFacts {
    bool archiveOpen = false;
    bool archiveEditable = false;
    bool rowSelected = false;
    bool searchStarted = false;
    bool operator==(const BrowserFacts&) const = default;
};

struct CommandFacts {
    BrowserFacts browser;
    bool programMenuBar = true;
};

bool isEnabled(EnableRule rule, const CommandFacts& facts);

// A place on the toolbar or in the context menu: ascending `at`, 0 for none.
struct Slot {
    int at = 0;
    bool gapBefore = false;  // a separator goes in front of it
};

// The parent a top-level menu names: it stands on the menu bar itself.
inline constexpr std::string_view kMenuBar = "MenuBar";
// The parent the pages' context menus name: they open over the preview panel's pages.
inline constexpr std::string_view kPreviewPages = "Notebook1";

struct CommandDef {
    std::string_view name{};
    CommandKind kind = CommandKind::Command;
    std::string_view caption{};  // UTF-8
    std::string_view hint{};     // "short|long" (tooltip|status text), or empty
    std::string_view shortcut{}; // key text such as "Ctrl+N", or empty
    bool checkable = false;
    bool checked = false;      // at start
    CommandIcon icon = CommandIcon::None;
    bool captionOnToolbar = false;  // a toolbar button shows the caption beside the picture
    EnableRule enabledWhen = EnableRule::Always;
    int tag = 0;  // recent-file index, association index or menu style; 0 otherwise

    // Default placement. A menu lists its items in the order of this table.
    // The menu holding it: kMenuBar for a top-level menu, kPreviewPages for a page's menu.
    std::string_view menu{};
    bool gapBefore = false;  // a separator goes in front of it in that menu
    Slot toolbar{};
    Slot contextMenu{};
    // A top-level menu that a customised menu bar must keep: it holds the customize command.
    bool keepOnMenuBar = false;

    bool opensMenu() const { return kind != CommandKind::Command; }
};

// Tags of the menu-style commands.
inline constexpr int kStyleNative = -1, kStyleXp = 0, kStylePlain = 1;

std::span<const CommandDef> commandTable();
// nullptr for a name the table does not hold.
const CommandDef* findCommand(std::string_view name);
// Whether the command is an item of a preview page's context menu.
bool isPageCommand(const CommandDef& c);

}  // namespace varmelo
