#pragma once
// What the window keeps outside itself: options.ini, the language files, the file
// associations and the bar layout. The program uses the settings core behind it; tests
// may point it at private folders.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/bar_layout.h"

namespace varmelo::gui {

struct LanguageInfo {
    QString fileName;     // without folder
    QString displayName;  // main/Language
    int langId = 0;
    int charSet = 1;
    QString flagPath;
    QString author;
};

class AppSettings {
public:
    virtual ~AppSettings() = default;

    // options.ini, as read at start and changed since.
    virtual int firstRun() const = 0;
    virtual int menuStyle() const = 0;
    virtual std::string language() const = 0;
    virtual std::array<std::string, 5> recentFiles() const = 0;
    virtual void writeFirstRun(int value) = 0;
    virtual void writeMenuStyle(int value) = 0;
    virtual void writeLanguage(const std::string& fileName) = 0;
    // Whether the model view shows models as in the game.
    virtual bool gameView() const = 0;
    virtual void writeGameView(bool on) = 0;
    // The game folder the user picked (raw bytes); empty when none.
    virtual std::string gameFolder() const = 0;
    virtual void writeGameFolder(const std::string& folder) = 0;
    // Notes a path about to be opened; true when the list changed (it is then written).
    virtual bool noteRecentFile(const std::string& path) = 0;

    // The usable language files, in folder order.
    virtual std::vector<LanguageInfo> languages() = 0;
    virtual bool languageFileExists(const std::string& fileName) = 0;
    // Where a language file of that name is (it may not exist).
    virtual std::string languageFilePath(const std::string& fileName) = 0;
    // The primary language id of the user's locale.
    virtual int systemLanguageId() = 0;

    // Associations by tag: the index of the archive file type (archiveFileTypes()).
    virtual bool isAssociated(int tag) = 0;
    // Makes or removes the program's association; `description` is the file type text.
    virtual void setAssociated(int tag, bool on, const std::string& description) = 0;

    // actdata.dat; nullopt when there is none (or it cannot be read).
    virtual std::optional<BarLayout> loadBarLayout() = 0;
    virtual void saveBarLayout(const BarLayout& layout) = 0;
};

}  // namespace varmelo::gui
