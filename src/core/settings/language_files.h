#pragma once
// Language files: *.lng INI files that replace the texts of the forms and the message
// table. Their texts are in the Windows code page named by main/CharSet, or UTF-8 when the
// file starts with a byte-order mark. Everything handed out is UTF-8.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/ini_document.h"
#include "core/settings/messages.h"
#include "core/settings/settings_location.h"

namespace varmelo {

class MessageTable;

// One usable language file; its index in the list is the language index (command tag).
struct LanguageRecord {
    std::string fileName;     // name inside the lang folder, as on disk
    std::string path;         // the file found for that name
    std::string displayName;  // main/Language
    uint16_t langId = 0;      // main/LangID, default 0
    uint16_t charSet = 1;     // main/CharSet, default 1
    std::string flagPath;     // full path of main/Flag beside the file; "" without Flag
    std::string author;       // main/Author
};

// The display name given to the record appended for a stored language.
inline constexpr const char* kSelectedLanguageName = "Selected";

// The lang folder of an executable folder.
std::string languageFolder(const std::string& executableFolder);

// Where language files are looked for, in this order: lang/ beside the executable (a
// portable copy), $XDG_DATA_HOME/varmelo/lang, varmelo/lang under each folder of
// $XDG_DATA_DIRS (default /usr/local/share:/usr/share), and share/varmelo/lang beside the
// executable's bin folder, so an install under any prefix finds its own files. Relative
// entries are skipped and no folder is listed twice.
std::vector<std::string> languageSearchFolders(const std::string& executableFolder, const Environment& env);

// The file of that name in the first folder that holds one; "" when none does, or when the
// name is not a plain file name (it must not leave the folders).
std::string findLanguageFile(const std::vector<std::string>& folders, const std::string& fileName);

// Every *.lng file (extension in any case) of the folders with a non-empty main/Language,
// sorted by file name (byte order) so the list is the same on every file system. The first
// file of a name wins; a later folder cannot bring back a name an earlier one made
// unusable. A missing folder or an unreadable file is skipped silently.
std::vector<LanguageRecord> scanLanguages(const std::vector<std::string>& folders);

// The primary part of a Windows language id: its low 10 bits.
inline int primaryLanguageId(int langId) { return langId & 0x3FF; }

// The user's language as a primary Windows language id (9 English, 25 Russian, ...),
// from LC_ALL, LC_MESSAGES or LANG, the first that is set; 0 when unknown or "C"/"POSIX".
int userLanguageId(const Environment& env);
// The primary id of a locale name such as "ru_RU.UTF-8", "en_US", "pt_BR@euro"; 0 unknown.
int primaryIdOfLocale(const std::string& locale);

// The first language whose id matches the primary part of userLangId; -1 when none.
int systemLanguageIndex(const std::vector<LanguageRecord>& list, int userLangId);

// The language to apply at start. When storedLanguage names an existing file in the
// folders, a record with that file name and the display name "Selected" is appended and its
// index returned. Otherwise the system language's index, or 0; -1 for an empty list.
int chooseStartLanguage(std::vector<LanguageRecord>& list, const std::vector<std::string>& folders,
                        const std::string& storedLanguage, int userLangId);

// An opened language file for applying it. A missing or unreadable file behaves as an
// empty one: every text() gives its default and every hint() gives "". Values are in the
// code page of main/CharSet, unless the file starts with a UTF-8 byte-order mark.
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

    // strings/STR000, STR001, ... one per message entry, nullopt where a key is missing.
    std::array<std::optional<std::string>, kMessageCount> messageTexts() const;
    // Replaces the message entries the file names and keeps the others.
    void applyMessages(MessageTable& table) const;

private:
    IniDocument ini_;
    bool loaded_ = false;
    int codePage_ = 1252;
};

}  // namespace varmelo
