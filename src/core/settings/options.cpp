#include "core/settings/options.h"

#include <exception>

#include "core/settings/ini_document.h"
#include "core/settings/settings_location.h"

namespace varmelo {

MenuLook menuLookOf(int menuStyle) {
    if (menuStyle < 0) return MenuLook::Native;
    return menuStyle == 0 ? MenuLook::Xp : MenuLook::Plain;
}

bool styleCommandOf(int menuStyle, int& command) {
    if (menuStyle < -1 || menuStyle > 1) return false;
    command = menuStyle;
    return true;
}

Options::Options(std::string path) : path_(std::move(path)) {}

void Options::load() {
    IniDocument ini;
    try {
        ini.load(path_);
    } catch (const std::exception&) {
        ini = IniDocument();
    }
    firstRun_ = parseIniInt(ini.value("Main", "FirstRun"), 1);
    menuStyle_ = parseIniInt(ini.value("Main", "MenuStyle"), 0);
    language_ = ini.value("Main", "Language", "");
    gameView_ = parseIniInt(ini.value("Main", "GameView"), 0) != 0;
    gameFolder_ = ini.value("Main", "GameFolder", "");
    recent_ = RecentFiles::read(ini);
}

template <class Change>
bool Options::update(Change change) {
    try {
        IniDocument ini;
        ini.load(path_);
        change(ini);
        writeFileAtomically(path_, ini.serialize());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Options::writeFirstRun(int value) {
    firstRun_ = value;
    return update([&](IniDocument& ini) { ini.set("Main", "FirstRun", std::to_string(value)); });
}

bool Options::writeMenuStyle(int value) {
    menuStyle_ = value;
    return update([&](IniDocument& ini) { ini.set("Main", "MenuStyle", std::to_string(value)); });
}

bool Options::writeLanguage(const std::string& fileName) {
    language_ = fileName;
    return update([&](IniDocument& ini) { ini.set("Main", "Language", fileName); });
}

bool Options::writeGameView(bool on) {
    gameView_ = on;
    return update([&](IniDocument& ini) { ini.set("Main", "GameView", on ? "1" : "0"); });
}

bool Options::writeGameFolder(const std::string& folder) {
    gameFolder_ = folder;
    return update([&](IniDocument& ini) { ini.set("Main", "GameFolder", folder); });
}

bool Options::noteRecentFile(const std::string& path, bool* written) {
    bool changed = recent_.note(path);
    bool ok = changed ? writeRecentFiles() : true;
    if (written) *written = ok;
    return changed;
}

bool Options::writeRecentFiles() {
    return update([&](IniDocument& ini) { recent_.write(ini); });
}

}  // namespace varmelo
