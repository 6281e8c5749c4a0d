#include "core/settings/language_files.h"

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>

#include "core/io/codepage.h"
#include "core/io/file_system.h"
#include "core/io/windows_codepage.h"
#include "core/settings/messages.h"

namespace varmelo {

namespace {

bool hasLngExtension(const std::string& name) {
    if (name.size() <= 4) return false;
    return asciiUpper(name.substr(name.size() - 4)) == ".LNG";
}

std::vector<std::string> lngFilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) return names;
    while (const dirent* e = ::readdir(dir.get())) {
        std::string name = e->d_name;
        if (hasLngExtension(name) && fileExists(folder + "/" + name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A name stored by the user or read from a file must stay inside the lang folder.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

struct LocaleId {
    const char* code;
    int id;
};

// Windows primary language ids of the languages a translation is likely to exist for.
constexpr LocaleId kLocaleIds[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
    {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
    {"nl", 0x13}, {"nb", 0x14}, {"nn", 0x14}, {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16},
    {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sr", 0x1A}, {"bs", 0x1A}, {"sk", 0x1B},
    {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20}, {"id", 0x21},
    {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27},
    {"tg", 0x28}, {"fa", 0x29}, {"vi", 0x2A}, {"hy", 0x2B}, {"az", 0x2C}, {"eu", 0x2D},
    {"mk", 0x2F}, {"af", 0x36}, {"ka", 0x37}, {"hi", 0x39}, {"ga", 0x3C}, {"ms", 0x3E},
    {"kk", 0x3F}, {"ky", 0x40}, {"sw", 0x41}, {"tk", 0x42}, {"uz", 0x43}, {"tt", 0x44},
    {"mn", 0x50}, {"gl", 0x56},
};

}  // namespace

std::string languageFolder(const std::string& executableFolder) { return executableFolder + "/lang"; }

std::vector<std::string> languageSearchFolders(const std::string& executableFolder, const Environment& env) {
    std::vector<std::string> folders;
    auto add = [&folders](const std::string& folder) {
        if (folder.empty() || folder[0] != '/') return;
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    };
    if (!executableFolder.empty()) add(languageFolder(executableFolder));
    if (std::string home = xdgDataHome(env); !home.empty()) add(home + "/varmelo/lang");
    std::string dirs = env("XDG_DATA_DIRS");
    if (dirs.empty()) dirs = "/usr/local/share:/usr/share";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
        if (!dir.empty()) add((dir == "/" ? std::string() : dir) + "/varmelo/lang");
        start = end + 1;
    }
    // <prefix>/bin/varmelo finds <prefix>/share/varmelo/lang.
    const size_t slash = executableFolder.rfind('/');
    if (slash != std::string::npos) add(executableFolder.substr(0, slash) + "/share/varmelo/lang");
    return folders;
}

std::string findLanguageFile(const std::vector<std::string>& folders, const std::string& fileName) {
    if (!isPlainFileName(fileName)) return {};
    for (const std::string& folder : folders) {
        std::string path = folder + "/" + fileName;
        if (fileExists(path)) return path;
    }
    return {};
}

std::vector<LanguageRecord> scanLanguages(const std::vector<std::string>& folders) {
    // Name -> folder of the first file of that name.
    std::vector<std::pair<std::string, std::string>> found;
    for (const std::string& folder : folders)
        for (std::string& name : lngFilesIn(folder)) {
            auto same = [&name](const auto& f) { return f.first == name; };
            if (std::none_of(found.begin(), found.end(), same)) found.emplace_back(std::move(name), folder);
        }
    std::sort(found.begin(), found.end());

    std::vector<LanguageRecord> list;
    for (const auto& [name, folder] : found) {
        LanguageFile file(folder + "/" + name);
        std::string display = file.text("main", "Language", "");
        if (display.empty()) continue;
        LanguageRecord r;
        r.fileName = name;
        r.path = folder + "/" + name;
        r.displayName = display;
        r.langId = uint16_t(parseIniInt(file.find("main", "LangID"), 0));
        r.charSet = file.charSet();
        std::string flag = file.text("main", "Flag", "");
        // Files made on Windows may name the bitmap with backslashes.
        std::replace(flag.begin(), flag.end(), '\\', '/');
        if (!flag.empty()) r.flagPath = folder + "/" + flag;
        r.author = file.text("main", "Author", "");
        list.push_back(std::move(r));
    }
    return list;
}

int primaryIdOfLocale(const std::string& locale) {
    std::string code;
    for (char c : locale) {
        if (c == '_' || c == '.' || c == '@' || c == '-') break;
        code += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    for (const LocaleId& l : kLocaleIds)
        if (code == l.code) return l.id;
    return 0;
}

int userLanguageId(const Environment& env) {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string v = env(var);
        if (!v.empty()) return primaryIdOfLocale(v);
    }
    return 0;
}

int systemLanguageIndex(const std::vector<LanguageRecord>& list, int userLangId) {
    int primary = primaryLanguageId(userLangId);
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].langId == primary) return int(i);
    return -1;
}

int chooseStartLanguage(std::vector<LanguageRecord>& list, const std::vector<std::string>& folders,
                        const std::string& storedLanguage, int userLangId) {
    if (std::string path = findLanguageFile(folders, storedLanguage); !path.empty()) {
        LanguageRecord r;
        r.fileName = storedLanguage;
        r.path = std::move(path);
        r.displayName = kSelectedLanguageName;
        list.push_back(std::move(r));
        return int(list.size()) - 1;
    }
    if (list.empty()) return -1;
    int i = systemLanguageIndex(list, userLangId);
    return i >= 0 ? i : 0;
}

LanguageFile::LanguageFile(const std::string& path) {
    try {
        loaded_ = ini_.load(path);
    } catch (const std::exception&) {
        ini_ = IniDocument();
        loaded_ = false;
    }
    codePage_ = codePageOfCharSet(charSet());
}

std::optional<std::string> LanguageFile::find(const std::string& section, const std::string& key) const {
    auto v = ini_.value(section, key);
    if (!v) return std::nullopt;
    return ini_.isUtf8() ? *v : windowsCodePageToUtf8(*v, codePage_);
}

std::string LanguageFile::text(const std::string& section, const std::string& key,
                               const std::string& fallback) const {
    auto v = find(section, key);
    return v ? *v : fallback;
}

std::string LanguageFile::hint(const std::string& section, const std::string& key) const {
    return text(section, key, "");
}

uint16_t LanguageFile::charSet() const { return uint16_t(parseIniInt(ini_.value("main", "CharSet"), 1)); }

std::array<std::optional<std::string>, kMessageCount> LanguageFile::messageTexts() const {
    std::array<std::optional<std::string>, kMessageCount> out;
    for (int n = 0; n < kMessageCount; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "STR%03d", n);
        out[size_t(n)] = find("strings", key);
    }
    return out;
}

void LanguageFile::applyMessages(MessageTable& table) const {
    auto texts = messageTexts();
    for (int n = 0; n < kMessageCount; ++n)
        if (texts[size_t(n)]) table.set(n, *texts[size_t(n)]);
}

}  // namespace varmelo
