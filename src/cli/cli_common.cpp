#include <cstdio>

#include "cli/cli.h"
#include "core/archive/open_archive.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/settings/locale_messages.h"
#include "core/settings/settings_location.h"

namespace varmelo::cli {

void reportError(const std::string& text) {
    std::string line = "varmelo-cli: " + text + "\n";
    std::fputs(line.c_str(), stderr);
}

std::string toEntryName(const std::string& utf8) {
    auto bytes = utf8ToCp1251(utf8);
    if (!bytes) throw UsageError("'" + utf8 + "' cannot be written in Windows-1251");
    return *bytes;
}

size_t resolveName(const NamedItems& items, const std::string& given) {
    if (given.size() > 1 && given[0] == '#' && given.find_first_not_of("0123456789", 1) == std::string::npos) {
        const std::string digits = given.substr(1);
        if (digits.size() > 10 || std::stoull(digits) >= items.count)
            throw UsageError(std::string("no ") + items.noun + " " + given + " (" + items.holder + " has " +
                             std::to_string(items.count) + " " + items.nounPlural + ")");
        return size_t(std::stoull(digits));
    }
    const std::string wanted = toEntryName(given);
    if (items.exactFirst)
        for (size_t i = 0; i < items.count; ++i)
            if (items.nameAt(i) == wanted) return i;
    // Compared in place: a delete of many names runs this over the whole table each time.
    auto sameIgnoringCase = [&](const std::string& name) {
        if (name.size() != wanted.size()) return false;
        for (size_t k = 0; k < name.size(); ++k)
            if (asciiUpper(name[k]) != asciiUpper(wanted[k])) return false;
        return true;
    };
    for (size_t i = 0; i < items.count; ++i)
        if (sameIgnoringCase(items.nameAt(i))) return i;
    throw UsageError(std::string("no ") + items.noun + " named '" + given + "'");
}

uint32_t resolveEntry(const Archive& a, const std::string& given) {
    return uint32_t(resolveName({"entry", "entries", "the archive", a.Entries.size(),
                                 [&](size_t i) -> const std::string& { return a.Entries[i].Name; }},
                                given));
}

MessageTable localeMessageTable() {
    const Environment env = processEnvironment();
    return localeMessages(scanLanguages(languageSearchFolders(executableFolder(), env)), userLanguageId(env));
}

Archive loadArchive(const std::string& path) { return openArchive(path); }

JsonAndPath jsonAndPath(const Args& args, const std::string& command, const std::string& what) {
    JsonAndPath out;
    for (const auto& arg : args) {
        if (arg == "--json") out.json = true;
        else if (arg.size() > 1 && arg[0] == '-') throw BadUsage(command + ": unknown option '" + arg + "'");
        else if (out.path.empty()) out.path = arg;
        else throw BadUsage(command + ": more than one " + what + " given");
    }
    if (out.path.empty()) throw BadUsage(command + ": no " + what + " given");
    return out;
}

}  // namespace varmelo::cli
