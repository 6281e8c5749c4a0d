#include "gui/app/core_app_settings.h"

#include <QFileInfo>
#include <QString>

#include "core/settings/bar_layout.h"
#include "core/settings/language_files.h"

namespace varmelo::gui {

namespace {

struct DesignedMenu {
    const char* name;
    const char* caption;
    const char* command;
};

// The top-level menus as stored, with the designed items taken from the standard layout.
const DesignedMenu kMenus[] = {
    {"File1", "Файл", ""},       {"Edit1", "Правка", ""},          {"Search1", "Поиск", ""},
    {"Service1", "Сервис", ""},  {"LanguageMenu1", "Language", "LanguageMenu1"}, {"Help1", "Справка", ""},
};

const varmelo::BarLayout& standard() {
    static const varmelo::BarLayout layout = varmelo::defaultBarLayout();
    return layout;
}

bool holds(const std::vector<BarItem>& items, const std::string& command) {
    for (const BarItem& i : items)
        if (i.command == command || holds(i.items, command)) return true;
    return false;
}

// The designed menu a stored one stands for: by its command, then by the commands it
// holds (captions change with the language), then by caption.
QString menuNameOf(const BarItem& item) {
    if (item.command == "LanguageMenu1") return QStringLiteral("LanguageMenu1");
    for (const BarItem& i : item.items) {
        if (i.isSeparator()) continue;
        for (size_t m = 0; m < std::size(kMenus); ++m)
            if (holds(standard().menuBar[m].items, i.command)) return QString::fromLatin1(kMenus[m].name);
    }
    for (const DesignedMenu& m : kMenus)
        if (item.caption == m.caption) return QString::fromLatin1(m.name);
    return {};
}

}  // namespace

varmelo::BarLayout toStoredLayout(const BarLayout& layout) {
    varmelo::BarLayout out;
    for (const QString& name : layout.toolbar) out.toolbar.push_back(BarItem{name.toStdString(), {}, {}});
    for (const QString& name : layout.menuBar) {
        bool isMenu = false;
        for (size_t m = 0; m < std::size(kMenus); ++m)
            if (name == QLatin1String(kMenus[m].name)) {
                out.menuBar.push_back(standard().menuBar[m]);
                isMenu = true;
            }
        if (!isMenu && name != QLatin1String("-")) out.menuBar.push_back(BarItem{name.toStdString(), name.toStdString(), {}});
    }
    return out;
}

BarLayout fromStoredLayout(const varmelo::BarLayout& stored) {
    BarLayout out;
    for (const BarItem& i : stored.toolbar) out.toolbar << QString::fromStdString(i.command);
    for (const BarItem& i : stored.menuBar) {
        // A command that stands on the bar by itself has no items.
        const QString name = i.items.empty() && !i.command.empty() && i.command != "LanguageMenu1"
                                 ? QString::fromStdString(i.command)
                                 : menuNameOf(i);
        if (!name.isEmpty()) out.menuBar << name;
    }
    return out;
}

CoreAppSettings::Places CoreAppSettings::processPlaces() {
    const Environment env = processEnvironment();
    const std::string exe = executablePath();
    const std::string folder = exe.substr(0, exe.rfind('/') == std::string::npos ? 0 : exe.rfind('/'));
    Places p;
    p.settings = findSettingsLocation(folder, env);
    p.languageFolder = varmelo::languageFolder(folder);
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
    for (const LanguageRecord& r : scanLanguages(places_.languageFolder)) {
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
    return places_.languageFolder + "/" + fileName;
}

bool CoreAppSettings::languageFileExists(const std::string& fileName) {
    return !fileName.empty() && fileName.find('/') == std::string::npos &&
           QFileInfo(QString::fromStdString(languageFilePath(fileName))).isFile();
}

std::optional<BarLayout> CoreAppSettings::loadBarLayout() {
    return fromStoredLayout(varmelo::loadBarLayout(places_.settings.barLayoutPath()));
}

void CoreAppSettings::saveBarLayout(const BarLayout& layout) {
    varmelo::saveBarLayout(places_.settings.barLayoutPath(), toStoredLayout(layout));
}

}  // namespace varmelo::gui
