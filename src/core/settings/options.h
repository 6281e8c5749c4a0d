#pragma once
// options.ini: the recent-files list, the first-run flag, the menu style, the language and
// whether models are shown as in the game and the game folder they are shown from.
// Read once at start; each change is written at once by reading the file afresh,
// changing only its own keys and replacing the file, so keys of the user or of other
// versions survive and no settings object stays open.
//
// Writes never throw: they return false when the file could not be written (a read-only
// folder, a full disk, an unreadable existing file, which is then left untouched), and the
// window carries on with the values it holds.
#include <string>

#include "core/settings/recent_files.h"

namespace varmelo {

// How a stored MenuStyle is shown: any negative value is the native menu, 0 the XP-styled
// bars, any positive value the plain-styled bars.
enum class MenuLook { Native, Xp, Plain };
MenuLook menuLookOf(int menuStyle);
// The style command to check for a stored value: -1, 0 or 1; any other value checks none
// (returns false).
bool styleCommandOf(int menuStyle, int& command);

class Options {
public:
    // path: the full path of options.ini (SettingsLocation::optionsPath()).
    explicit Options(std::string path);

    // Reads the file. A missing or unreadable file gives the defaults.
    void load();

    const std::string& path() const { return path_; }
    int firstRun() const { return firstRun_; }      // Main/FirstRun, default 1
    int menuStyle() const { return menuStyle_; }    // Main/MenuStyle, default 0, kept as stored
    const std::string& language() const { return language_; }  // Main/Language, raw bytes
    const RecentFiles& recentFiles() const { return recent_; }
    bool gameView() const { return gameView_; }     // Main/GameView, default 0; any other number is on
    const std::string& gameFolder() const { return gameFolder_; }  // Main/GameFolder, raw bytes; empty when none

    bool writeFirstRun(int value);
    bool writeMenuStyle(int value);
    bool writeLanguage(const std::string& fileName);
    bool writeGameView(bool on);
    bool writeGameFolder(const std::string& folder);
    // Notes a path about to be opened (see RecentFiles::note) and, when the list changed,
    // writes it. Returns whether the list changed; a failed write is reported in *written.
    bool noteRecentFile(const std::string& path, bool* written = nullptr);
    bool writeRecentFiles();

private:
    template <class Change> bool update(Change change);

    std::string path_;
    int firstRun_ = 1;
    int menuStyle_ = 0;
    std::string language_;
    bool gameView_ = false;
    std::string gameFolder_;
    RecentFiles recent_;
};

}  // namespace varmelo
