#pragma once
// Language files: lang/*.lng beside the executable, INI files in Windows-1251 that replace
// the texts of the forms and the message table. Everything handed out is UTF-8.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/ini_document.h"
#include "core/settings/settings_location.h"

namespace varmelo {

class MessageTable;

// One usable language file; its index in the list is the language index (command tag).
struct LanguageRecord {
    std::string fileName;     // name inside the lang folder, as on disk
    std::string displayName;  // main/Language
    uint16_t langId = 0;      // main/LangID, default 0
    uint16_t charSet = 1;     // main/CharSet, default 1
    std::string flagPath;     // full path of main/Flag inside the lang folder; "" without Flag
    std::string author;       // main/Author
};

// The display name given to the record appended for a stored language.
inline constexpr const char* kSelectedLanguageName = "Selected";

// The lang folder of an executable folder.
std::string languageFolder(const std::string& executableFolder);

// Every *.lng file (extension in any case) of the folder with a non-empty main/Language,
// sorted by file name (byte order) so the list is the same on every file system.
// A missing folder or an unreadable file is skipped silently.
std::vector<LanguageRecord> scanLanguages(const std::string& langFolder);

// The primary part of a Windows language id: its low 10 bits.
inline int primaryLanguageId(int langId) { return langId & 0x3FF; }

// The user's language as a primary Windows language id (9 English, 25 Russian, ...),
// from LC_ALL, LC_MESSAGES or LANG, the first that is set; 0 when unknown or "C"/"POSIX".
int userLanguageId(const Environment& env);
// The primary id of a locale name such as "ru_RU.UTF-8", "en_US", "pt_BR@euro"; 0 unknown.
int primaryIdOfLocale(const std::string& locale);

// The first language whose id matches the primary part of userLangId; -1 when none.
int systemLanguageIndex(const std::vector<LanguageRecord>& list, int userLangId);

// The language to apply at start. When storedLanguage names an existing file in the lang
// folder, a record with that file name and the display name "Selected" is appended and its
// index returned. Otherwise the system language's index, or 0; -1 for an empty list.
int chooseStartLanguage(std::vector<LanguageRecord>& list, const std::string& langFolder,
                        const std::string& storedLanguage, int userLangId);

// An opened language file for applying it. A missing or unreadable file behaves as an
// empty one: every text() gives its default and every hint() gives "". Values are
// Windows-1251, unless the file starts with a UTF-8 byte-order mark.
class LanguageFile {
public:
    LanguageFile() = default;
    explicit LanguageFile(const std::string& path);

    bool loaded() const { return loaded_; }

    // The value converted to UTF-8, or fallback when the key is missing.
    std::string text(const std::string& section, const std::string& key,
                     const std::string& fallback) const;
    // A hint's value (key as given, e.g. "FileOpen1h"), or "" when missing: a language
    // that does not name a hint clears it.
    std::string hint(const std::string& section, const std::string& key) const;
    // The value converted to UTF-8; nullopt when missing.
    std::optional<std::string> find(const std::string& section, const std::string& key) const;

    uint16_t charSet() const;  // main/CharSet, default 1

    // strings/STR000..STR031, nullopt where a key is missing.
    std::array<std::optional<std::string>, 32> messageTexts() const;
    // Replaces the message entries the file names and keeps the others.
    void applyMessages(MessageTable& table) const;

private:
    IniDocument ini_;
    bool loaded_ = false;
};

}  // namespace varmelo
