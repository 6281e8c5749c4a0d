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

void makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) return;
    int err = errno;
    struct stat st {};
    // An existing link could lead the copy out of the destination: only real folders count.
    if (err == EEXIST && ::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return;
        throw UsageError("'" + path + "' is in the way: not a folder");
    }
    throwErrno(err);
}

// The destination folder itself, with its parents, may be created.
void makeFolders(const std::string& dir) {
    for (size_t slash = dir.find('/', 1); slash != std::string::npos; slash = dir.find('/', slash + 1))
        if (struct stat st {}; ::stat(dir.substr(0, slash).c_str(), &st) != 0) makeFolder(dir.substr(0, slash));
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0) makeFolder(dir);
}

// The folders an entry name holds, below the destination folder.
void makeEntryFolders(const std::string& dir, const std::string& dest) {
    size_t from = dir.size() + 1;
    if (dest.compare(0, dir.size(), dir) != 0) from = 0;
    for (size_t slash = dest.find('/', from); slash != std::string::npos; slash = dest.find('/', slash + 1))
        makeFolder(dest.substr(0, slash));
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
            std::string dest = folderDestination(dir, name);
            makeEntryFolders(dir, dest);
            SaveEntryToFile(a, e, dest);
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
