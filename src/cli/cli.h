#pragma once
// Shared pieces of the varmelo-cli commands.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/archive.h"
#include "core/settings/messages.h"

namespace varmelo::cli {

// A command line the tool cannot run: printed with the usage text, exit status 2.
class BadUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure that has already been reported on stderr: exit status 1 without a further line.
struct AlreadyReported {};

using Args = std::vector<std::string>;

int runList(const Args& args);
int runExtract(const Args& args);
int runAdd(const Args& args);
int runReplace(const Args& args);
int runDelete(const Args& args);
int runRename(const Args& args);
int runRebuild(const Args& args);
int runCreate(const Args& args);
int runVerify(const Args& args);
int runInspect(const Args& args);
int runExport(const Args& args);
int runGame(const Args& args);
int runTxd(const Args& args);

// "varmelo-cli: <text>" on stderr, the text turned from Windows-1251 into UTF-8 when it
// carries entry names or masks.
void reportError(const std::string& text);

// Text given on the command line (UTF-8) as Windows-1251 bytes; throws UsageError when a
// character has no Windows-1251 byte.
std::string toEntryName(const std::string& utf8);

// Something named on the command line among `count` named things (entries, textures): "#N" is
// item N, anything else a name compared in Windows-1251, whole: exactly first when
// `exactFirst`, then ignoring the case of A-Z; the first match wins. `noun` ("entry") and
// `holder` ("the archive") word the refusal.
struct NamedItems {
    const char* noun;
    const char* nounPlural;
    const char* holder;
    size_t count;
    std::function<const std::string&(size_t)> nameAt;
    bool exactFirst = false;
};
size_t resolveName(const NamedItems& items, const std::string& given);

// The arguments of a command that takes "[--json] ONE": the one path, and whether --json was
// given. `what` names the path in refusals ("archive", "folder").
struct JsonAndPath {
    bool json = false;
    std::string path;
};
JsonAndPath jsonAndPath(const Args& args, const std::string& command, const std::string& what);

// An entry named on the command line, compared as the add command compares names.
uint32_t resolveEntry(const Archive& a, const std::string& given);

// The message table in the language of the user's locale, from the language files the window
// finds (see localeMessages).
MessageTable localeMessageTable();

// Opens an archive and reads its directory.
Archive loadArchive(const std::string& path);

}  // namespace varmelo::cli
