#pragma once
// Making the program the desktop's handler of the archive file types, the freedesktop
// way: one MIME type per extension (a package file in $XDG_DATA_HOME/mime/packages), the
// program's desktop entry ($XDG_DATA_HOME/applications/varmelo.desktop) and a default-
// application line per type in $XDG_CONFIG_HOME/mimeapps.list.
//
// An extension counts as associated while its package file exists, whoever wrote it.
// Turning one off removes only what the program wrote: its own package file (marked as
// such inside) and its own name on the type's mimeapps.list line. The desktop entry stays
// while any of the types' package files exists. A desktop entry of that name that the program
// did not write (an install under ~/.local) is never touched.
//
// Writers throw FileError; what was written before a failure stays.
#include <functional>
#include <string>
#include <vector>

#include "core/settings/settings_location.h"

namespace varmelo {

// One association per archive file type; its tag is the type's index in archiveFileTypes().
int associationCount();
// Extension without dot by tag: img, syb, big, pk4, bin, pak.
std::string associationExtension(int tag);
// "application/x-varmelo-<ext>".
std::string associationMimeType(int tag);

inline constexpr const char* kDesktopFileName = "varmelo.desktop";

// Runs a desktop database tool (argv[0] looked up in PATH); a missing tool is no error.
using ToolRunner = std::function<void(const std::vector<std::string>& argv)>;
ToolRunner systemToolRunner();

struct AssociationPlaces {
    std::string dataHome;    // $XDG_DATA_HOME (default ~/.local/share)
    std::string configHome;  // $XDG_CONFIG_HOME (default ~/.config)
    std::string executable;  // full path of the program
    ToolRunner runTool;      // empty: databases are not refreshed
};

// The places of the running user, refreshing with update-mime-database and
// update-desktop-database when they are installed.
AssociationPlaces associationPlaces(const Environment& env, const std::string& executable);

// The Exec value: the quoted executable path, a blank and %f, escaped by the
// desktop-entry rules (the quoted path's \ " ` $ get a backslash, % is doubled, then the
// backslashes are doubled again as the key-file string rules require).
std::string desktopExecLine(const std::string& executable);

class Associations {
public:
    explicit Associations(AssociationPlaces places);

    std::string mimePackagePath(int tag) const;
    std::string desktopFilePath() const;
    std::string mimeAppsPath() const;

    bool isAssociated(int tag) const;
    std::vector<bool> state() const;
    bool allAssociated() const;

    // Turns one extension on or off; description is the file type's text (message 27).
    void set(int tag, bool on, const std::string& description);
    // All of them, in tag order, refreshing the databases once.
    void setAll(bool on, const std::string& description);

private:
    void apply(int tag, bool on, const std::string& description);
    void updateDesktopEntry(const std::string& description);
    void refresh() const;

    AssociationPlaces places_;
};

}  // namespace varmelo
