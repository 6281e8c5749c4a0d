#include <sys/stat.h>

#include <cerrno>

#include "cli/cli.h"
#include "cli/progress.h"
#include "core/archive/extract.h"
#include "core/browser/mask.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"

namespace varmelo::cli {

namespace {

// The destination folder itself, with its parents, may be created; an existing link on the
// way is the user's own choice and is followed.
void makeFolders(const std::string& dir) {
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) throwErrno(errno);
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0) throwErrno(errno);
    if (!S_ISDIR(st.st_mode)) throw UsageError("'" + dir + "' is in the way: not a folder");
}

}  // namespace

int runExtract(const Args& args) {
    std::string archive, dir = ".";
    SearchOptions options;
    std::vector<std::string> masks;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") optionsEnded = true;
        else if (!optionsEnded && arg == "-o") {
            if (++i >= args.size()) throw BadUsage("extract: -o needs a folder");
            dir = args[i];
        } else if (!optionsEnded && arg == "--whole-word") options.wholeWord = true;
        else if (!optionsEnded && arg == "--match-case") options.matchCase = true;
        else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') throw BadUsage("extract: unknown option '" + arg + "'");
        else if (archive.empty()) archive = arg;
        else masks.push_back(arg);
    }
    if (archive.empty()) throw BadUsage("extract: no archive given");
    if (dir.empty()) throw BadUsage("extract: -o needs a folder");
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();

    std::vector<NameMatcher> matchers;
    for (const auto& m : masks) matchers.emplace_back(toEntryName(m), options);
    Archive a = loadArchive(archive);

    std::vector<uint32_t> chosen;
    for (uint32_t e = 0; e < a.Entries.size(); ++e) {
        bool match = matchers.empty();
        for (size_t k = 0; !match && k < matchers.size(); ++k) match = matchers[k].matches(a.Entries[e].Name);
        if (match) chosen.push_back(e);
    }

    makeFolders(dir);
    bool refused = false;
    Progress progress("Extracting", chosen.size());
    for (size_t k = 0; k < chosen.size(); ++k) {
        uint32_t e = chosen[k];
        std::string name = cp1251ToUtf8(a.Entries[e].Name);
        try {
            // Folders inside the chosen one are made as the names need them, never through a
            // link; a folder entry is nothing more than its folder.
            createParentFolders(dir, a.Entries[e].Name);
            SaveEntryIntoFolder(a, e, dir);
        } catch (const UsageError& err) {
            progress.finish();
            reportError("#" + std::to_string(e) + " '" + name + "' not extracted: " + err.what());
            refused = true;
        }
        progress.update(k + 1);
    }
    return refused ? 1 : 0;
}

}  // namespace varmelo::cli
