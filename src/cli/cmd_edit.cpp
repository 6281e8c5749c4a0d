// The commands that change an IMG archive.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "cli/cli.h"
#include "cli/progress.h"
#include "core/archive/create_archive.h"
#include "core/archive/img_editor.h"
#include "core/archive/rebuild.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo::cli {

namespace {

void requireEditable(const Archive& a) {
    if (!a.editable())
        throw UsageError(std::string("a ") + kindName(a.ArchiveKind) + " archive cannot be edited");
}

// Files on this system are named in UTF-8 while entries are named in Windows-1251: the
// entry that a file becomes is given the file name in the archive's code page.
void nameAfterFile(Archive& a, uint32_t e, const std::string& entryName) {
    if (a.Entries.at(e).Name != entryName) RenameEntry(a, e, entryName);
}

std::vector<std::string> positional(const Args& args, const char* command, size_t from = 0) {
    std::vector<std::string> out;
    bool optionsEnded = false;
    for (size_t i = from; i < args.size(); ++i) {
        if (!optionsEnded && args[i] == "--") optionsEnded = true;
        else if (!optionsEnded && args[i].size() > 1 && args[i][0] == '-')
            throw BadUsage(std::string(command) + ": unknown option '" + args[i] + "'");
        else out.push_back(args[i]);
    }
    return out;
}

}  // namespace

int runAdd(const Args& args) {
    enum class Existing { Replace, Duplicate, Stop } existing = Existing::Replace;
    Args rest;
    for (const auto& arg : args) {
        if (arg == "--existing=replace") existing = Existing::Replace;
        else if (arg == "--existing=duplicate") existing = Existing::Duplicate;
        else if (arg == "--existing=stop") existing = Existing::Stop;
        else if (arg.rfind("--existing", 0) == 0) throw BadUsage("add: --existing takes replace, duplicate or stop");
        else rest.push_back(arg);
    }
    auto files = positional(rest, "add");
    if (files.size() < 2) throw BadUsage("add: give an archive and at least one file");
    std::string path = files.front();
    files.erase(files.begin());

    // Every name and file is checked before the archive changes.
    std::vector<std::string> names;
    for (const auto& f : files) {
        if (!fileExists(f)) throw FileError(std::string(kFileNotFound) + ": " + f);
        names.push_back(toEntryName(fileNameOf(f)));
    }
    Archive a = loadArchive(path);
    requireEditable(a);

    Progress progress("Adding", files.size());
    for (size_t k = 0; k < files.size(); ++k) {
        long found = findEntryByName(a, names[k]);
        if (found >= 0) {
            if (existing == Existing::Stop) {
                progress.finish();
                // Named first: a short literal put before a temporary string makes GCC 12 at -O3
                // warn of overlapping copies (-Wrestrict) that cannot happen.
                const std::string file = fileNameOf(files[k]);
                reportError("'" + file + "' is already in the archive as #" +
                            std::to_string(found) + "; stopped before it (" + std::to_string(k) + " of " +
                            std::to_string(files.size()) + " files added)");
                throw AlreadyReported{};
            }
            if (existing == Existing::Replace) RemoveEntryAt(a, uint32_t(found));
        }
        uint32_t e = AddFileToArchive(a, files[k]);
        nameAfterFile(a, e, names[k]);
        progress.update(k + 1);
    }
    return 0;
}

int runReplace(const Args& args) {
    auto p = positional(args, "replace");
    if (p.size() != 3) throw BadUsage("replace: give an archive, an entry and a file");
    if (!fileExists(p[2])) throw FileError(std::string(kFileNotFound) + ": " + p[2]);
    std::string name = toEntryName(fileNameOf(p[2]));
    Archive a = loadArchive(p[0]);
    requireEditable(a);
    uint32_t e = resolveEntry(a, p[1]);
    uint32_t now = ReplaceEntry(a, e, p[2]);
    nameAfterFile(a, now, name);
    return 0;
}

int runDelete(const Args& args) {
    auto p = positional(args, "delete");
    if (p.size() < 2) throw BadUsage("delete: give an archive and at least one entry");
    Archive a = loadArchive(p[0]);
    requireEditable(a);
    // Resolved first: indices named on the command line refer to the archive as it was.
    std::vector<uint32_t> doomed;
    for (size_t k = 1; k < p.size(); ++k) doomed.push_back(resolveEntry(a, p[k]));
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) RemoveEntryAt(a, *it);
    return 0;
}

int runRename(const Args& args) {
    auto p = positional(args, "rename");
    if (p.size() != 3) throw BadUsage("rename: give an archive, an entry and a new name");
    std::string name = toEntryName(p[2]);
    if (name.empty()) throw UsageError("the new name is empty");
    if (name.size() > kImgNameLength)
        throw UsageError("'" + p[2] + "' is longer than the " + std::to_string(kImgNameLength) +
                         " characters an IMG directory holds");
    Archive a = loadArchive(p[0]);
    requireEditable(a);
    RenameEntry(a, resolveEntry(a, p[1]), name);
    return 0;
}

int runRebuild(const Args& args) {
    auto p = positional(args, "rebuild");
    if (p.size() != 1) throw BadUsage("rebuild: give one archive");
    Archive a = loadArchive(p[0]);
    requireEditable(a);
    Progress progress("Rebuilding", 100);
    const std::vector<CutEntry> cuts = RebuildArchive(a, [&](int percent) { progress.percent(percent); });
    progress.finish();
    for (const CutEntry& c : cuts) std::printf("%s\n", describeCut(c).c_str());
    return 0;
}

int runCreate(const Args& args) {
    std::optional<NewArchiveForm> form;
    bool force = false;
    Args rest;
    for (const auto& arg : args) {
        if (arg == "--force") {
            force = true;
        } else if (arg == "--vc" || arg == "--sa") {
            NewArchiveForm f = arg == "--vc" ? NewArchiveForm::ViceCity : NewArchiveForm::SanAndreas;
            if (form && *form != f) throw BadUsage("create: give either --vc or --sa");
            form = f;
        } else {
            rest.push_back(arg);
        }
    }
    auto p = positional(rest, "create");
    if (!form) throw BadUsage("create: give --vc (two files) or --sa (one VER2 file)");
    if (p.size() != 1) throw BadUsage("create: give one path");
    std::string path = newArchivePath(p[0]);
    // Creating empties the files: without a question to ask, an existing one is kept.
    std::vector<std::string> targets = {path};
    if (*form == NewArchiveForm::ViceCity) targets.push_back(defaultDirPath(path));
    for (const auto& t : targets)
        if (!force && (fileExists(t) || directoryExists(t)))
            throw UsageError("'" + t + "' exists already; give --force to replace it");
    CreateArchive(path, *form);
    std::printf("%s\n", path.c_str());
    return 0;
}

}  // namespace varmelo::cli
