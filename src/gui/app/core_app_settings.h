#pragma once
// The window's settings kept by the settings core: options.ini and actdata.dat in the
// settings folder, the language files in their search folders, the desktop's associations.
#include "core/settings/associations.h"
#include "core/settings/options.h"
#include "core/settings/settings_location.h"
#include "gui/app/app_settings.h"

namespace varmelo::gui {

class CoreAppSettings : public AppSettings {
public:
    struct Places {
        SettingsLocation settings;
        std::vector<std::string> languageFolders;  // searched in this order
        AssociationPlaces associations;
        int userLanguageId = 0;
    };
    // The places of the running program and user.
    static Places processPlaces();

    explicit CoreAppSettings(Places places);

    int firstRun() const override { return options_.firstRun(); }
    int menuStyle() const override { return options_.menuStyle(); }
    std::string language() const override { return options_.language(); }
    std::array<std::string, 5> recentFiles() const override { return options_.recentFiles().entries(); }
    void writeFirstRun(int value) override { options_.writeFirstRun(value); }
    void writeMenuStyle(int value) override { options_.writeMenuStyle(value); }
    void writeLanguage(const std::string& fileName) override { options_.writeLanguage(fileName); }
    bool gameView() const override { return options_.gameView(); }
    void writeGameView(bool on) override { options_.writeGameView(on); }
    std::string gameFolder() const override { return options_.gameFolder(); }
    void writeGameFolder(const std::string& folder) override { options_.writeGameFolder(folder); }
    bool noteRecentFile(const std::string& path) override { return options_.noteRecentFile(path); }

    std::vector<LanguageInfo> languages() override;
    bool languageFileExists(const std::string& fileName) override;
    std::string languageFilePath(const std::string& fileName) override;
    int systemLanguageId() override { return places_.userLanguageId; }

    bool isAssociated(int tag) override { return associations_.isAssociated(tag); }
    void setAssociated(int tag, bool on, const std::string& description) override {
        associations_.set(tag, on, description);
    }

    std::optional<BarLayout> loadBarLayout() override;
    void saveBarLayout(const BarLayout& layout) override;

    const Places& places() const { return places_; }

private:
    Places places_;
    Options options_;
    Associations associations_;
};

}  // namespace varmelo::gui
