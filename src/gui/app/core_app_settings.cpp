#include "gui/app/core_app_settings.h"

#include <QString>

#include "core/settings/actdata_file.h"
#include "core/settings/language_files.h"

namespace varmelo::gui {

CoreAppSettings::Places CoreAppSettings::processPlaces() {
    const Environment env = processEnvironment();
    const std::string exe = executablePath();
    const std::string folder = executableFolder();
    Places p;
    p.settings = findSettingsLocation(folder, env);
    p.languageFolders = languageSearchFolders(folder, env);
    p.associations = associationPlaces(env, exe);
    p.userLanguageId = userLanguageId(env);
    return p;
}

CoreAppSettings::CoreAppSettings(Places places)
    : places_(std::move(places)), options_(places_.settings.optionsPath()), associations_(places_.associations) {
    options_.load();
}

std::vector<LanguageInfo> CoreAppSettings::languages() {
    std::vector<LanguageInfo> out;
    for (const LanguageRecord& r : scanLanguages(places_.languageFolders)) {
        LanguageInfo l;
        l.fileName = QString::fromStdString(r.fileName);
        l.displayName = QString::fromStdString(r.displayName);
        l.langId = r.langId;
        l.charSet = r.charSet;
        l.flagPath = QString::fromStdString(r.flagPath);
        l.author = QString::fromStdString(r.author);
        out.push_back(l);
    }
    return out;
}

std::string CoreAppSettings::languageFilePath(const std::string& fileName) {
    return findLanguageFile(places_.languageFolders, fileName);
}

bool CoreAppSettings::languageFileExists(const std::string& fileName) {
    return !findLanguageFile(places_.languageFolders, fileName).empty();
}

std::optional<BarLayout> CoreAppSettings::loadBarLayout() {
    return varmelo::loadBarLayout(places_.settings.barLayoutPath());
}

void CoreAppSettings::saveBarLayout(const BarLayout& layout) {
    varmelo::saveBarLayout(places_.settings.barLayoutPath(), layout);
}

}  // namespace varmelo::gui
