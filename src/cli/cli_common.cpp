#include <cstdio>

#include "cli/cli.h"
#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"

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

uint32_t resolveEntry(const Archive& a, const std::string& given) {
    if (given.size() > 1 && given[0] == '#' && given.find_first_not_of("0123456789", 1) == std::string::npos) {
        std::string digits = given.substr(1);
        if (digits.size() > 10 || std::stoull(digits) >= a.Entries.size())
            throw UsageError("no entry " + given + " (the archive has " + std::to_string(a.Entries.size()) +
                             " entries)");
        return uint32_t(std::stoull(digits));
    }
    long e = findEntryByName(a, toEntryName(given));
    if (e < 0) throw UsageError("no entry named '" + given + "'");
    return uint32_t(e);
}

Archive loadArchive(const std::string& path) { return openArchive(path); }

}  // namespace varmelo::cli
