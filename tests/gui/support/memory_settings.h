#pragma once
// Settings held in memory, for window tests that look at the window rather than at files;
// every write is counted so a test can tell what would have reached the disk.
#include <map>
#include <stdexcept>

#include "core/archive/archive_file_type.h"
#include "gui/app/app_settings.h"

namespace varmelo::gui::testing {

class MemorySettings : public AppSettings {
public:
    int firstRunValue = 0;
    int menuStyleValue = 0;
    std::string languageValue;
    bool gameViewValue = false;
    std::string gameFolderValue;
    std::array<std::string, 5> recent;
    std::vector<LanguageInfo> languageList;
    std::vector<std::string> existingLanguageFiles;
    int systemLanguage = 25;
    std::string languageFolder = "/nonexistent";
    std::vector<bool> associated = std::vector<bool>(archiveFileTypes().size());
    std::string associationDescription;
    bool failAssociations = false;
    std::optional<BarLayout> bars;
    std::map<std::string, int> writes;  // key -> number of writes

    int firstRun() const override { return firstRunValue; }
    int menuStyle() const override { return menuStyleValue; }
    std::string language() const override { return languageValue; }
    std::array<std::string, 5> recentFiles() const override { return recent; }
    void writeFirstRun(int v) override { firstRunValue = v; ++writes["FirstRun"]; }
    void writeMenuStyle(int v) override { menuStyleValue = v; ++writes["MenuStyle"]; }
    void writeLanguage(const std::string& f) override { languageValue = f; ++writes["Language"]; }
    bool gameView() const override { return gameViewValue; }
    void writeGameView(bool on) override { gameViewValue = on; ++writes["GameView"]; }
    std::string gameFolder() const override { return gameFolderValue; }
    void writeGameFolder(const std::string& f) override { gameFolderValue = f; ++writes["GameFolder"]; }
    bool noteRecentFile(const std::string& path) override {
        if (recent[0] == path) return false;
        for (size_t i = recent.size() - 1; i > 0; --i) recent[i] = recent[i - 1];
        recent[0] = path;
        ++writes["MRU"];
        return true;
    }
    std::vector<LanguageInfo> languages() override { return languageList; }
    bool languageFileExists(const std::string& f) override {
        for (const auto& e : existingLanguageFiles)
            if (e == f) return true;
        return false;
    }
    std::string languageFilePath(const std::string& f) override { return languageFolder + "/" + f; }
    int systemLanguageId() override { return systemLanguage; }
    bool isAssociated(int tag) override { return associated.at(size_t(tag)); }
    void setAssociated(int tag, bool on, const std::string& description) override {
        if (failAssociations) throw std::runtime_error("File access denied");
        associated.at(size_t(tag)) = on;
        associationDescription = description;
    }
    std::optional<BarLayout> loadBarLayout() override { return bars; }
    void saveBarLayout(const BarLayout& l) override { bars = l; ++writes["actdata"]; }
};

}  // namespace varmelo::gui::testing
