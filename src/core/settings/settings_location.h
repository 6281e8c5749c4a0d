#pragma once
// Where the program keeps its settings: options.ini and actdata.dat next to the executable
// when that folder may be written (a portable copy), otherwise in the user's configuration
// folder. An installed program (<prefix>/bin with <prefix>/share/varmelo beside it) always
// uses the configuration folder. The executable folder and the environment are passed in so tests can choose.
#include <functional>
#include <string>

namespace varmelo {

// Looks up an environment variable; "" when unset.
using Environment = std::function<std::string(const std::string& name)>;
Environment processEnvironment();

// $XDG_CONFIG_HOME, or $HOME/.config; "" when neither gives an absolute path.
std::string xdgConfigHome(const Environment& env);
// $XDG_DATA_HOME, or $HOME/.local/share; "" when neither gives an absolute path.
std::string xdgDataHome(const Environment& env);

// An installed program's folder: <prefix>/bin with <prefix>/share/varmelo beside it. That
// folder is shared by every program of the prefix (and writable by root, or by its owner
// under ~/.local), so it never holds one user's settings.
bool isInstalledProgramFolder(const std::string& executableFolder);

// The running program's own file (/proc/self/exe), never the current directory.
std::string executablePath();
// The folder of that file, where a portable copy keeps its lang/ folder; "" when unknown.
std::string executableFolder();

struct SettingsLocation {
    std::string folder;     // "" when no folder can be found (writes then fail)
    bool portable = false;  // the executable's folder

    std::string optionsPath() const { return folder + "/options.ini"; }
    std::string barLayoutPath() const { return folder + "/actdata.dat"; }
};

// Chooses the folder once at start. The configuration folder is not created here: the
// first write creates it.
SettingsLocation findSettingsLocation(const std::string& executableFolder, const Environment& env);

// Creates a folder and its missing parents (mode 0755 less the umask); throws FileError.
void makeFolders(const std::string& path);

// Replaces a file's contents through a temporary file in the same folder and a rename,
// so a crash leaves either the old or the new file, never half of one. The folder is
// created when missing. Throws FileError.
void writeFileAtomically(const std::string& path, const std::string& contents);

}  // namespace varmelo
