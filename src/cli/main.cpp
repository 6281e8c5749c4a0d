// varmelo-cli: the archive commands of Varmelo for scripts and batch work.
#include <cstdio>
#include <cstring>
#include <map>

#include "cli/cli.h"
#include "core/browser/mask.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"

namespace {

constexpr const char* kUsage =
    "usage: varmelo-cli COMMAND ...\n"
    "\n"
    "  list [--json] ARCHIVE\n"
    "  extract ARCHIVE [-o DIR] [--whole-word] [--match-case] [MASK...]\n"
    "  add ARCHIVE [--existing=replace|duplicate|stop] FILE...\n"
    "  replace ARCHIVE ENTRY FILE\n"
    "  delete ARCHIVE ENTRY...\n"
    "  rename ARCHIVE ENTRY NEWNAME\n"
    "  rebuild ARCHIVE\n"
    "  create --vc|--sa [--force] PATH\n"
    "  verify ARCHIVE\n"
    "  inspect [--json] [--game DIR] PATH [ENTRY]\n"
    "  export PATH [ENTRY] [--texture NAME|#N] [--mode rgba|rgb|alpha|checker] -o OUT.bmp|OUT.png\n"
    "  export PATH [ENTRY] --all [--mode ...] -o DIR\n"
    "  export PATH [ENTRY] -o OUT.obj\n"
    "  export PATH [ENTRY] [--txd FILE|ENTRY] [--game DIR] [--all-parts] -o OUT.glb|OUT.gltf\n"
    "  game [--json] DIR\n"
    "  txd PATH [ENTRY] add [--format F] [--mipmaps none|full|keep] [--resize] FILE[=NAME]...\n"
    "  txd PATH [ENTRY] replace [--format F] [--mipmaps ...] [--resize] NAME FILE\n"
    "  txd PATH [ENTRY] delete NAME...\n"
    "  txd PATH [ENTRY] rename NAME NEWNAME\n"
    "  txd PATH [ENTRY] import [--format F] [--mipmaps ...] [--resize] DIR\n"
    "  txd create --game iii|vc|sa [--force] [--format F] [--mipmaps ...] [--resize] OUT.txd [FILE[=NAME]...]\n"
    "\n"
    "ENTRY is an entry name (letters A-Z in either case) or #N, the entry with index N.\n"
    "Names are UTF-8 on the command line and Windows-1251 in the archive.\n"
    "txd: PATH is a .txd file, or an archive whose dictionary ENTRY is; F is auto, dxt1, dxt3,\n"
    "dxt5, 8888, 888, 565, 1555 or 4444; pictures are PNG, JPEG, BMP, TGA or DDS.\n";

using Runner = int (*)(const varmelo::cli::Args&);

const std::map<std::string, Runner>& commands() {
    using namespace varmelo::cli;
    static const std::map<std::string, Runner> table = {
        {"list", runList},       {"extract", runExtract}, {"add", runAdd},
        {"replace", runReplace}, {"delete", runDelete},   {"rename", runRename},
        {"rebuild", runRebuild}, {"create", runCreate},   {"verify", runVerify},
        {"inspect", runInspect}, {"export", runExport}, {"game", runGame},
        {"txd", runTxd},
    };
    return table;
}

int usage(const std::string& problem) {
    if (!problem.empty()) varmelo::cli::reportError(problem);
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varmelo;
    if (argc < 2) return usage("no command given");
    std::string name = argv[1];
    if (name == "-h" || name == "--help" || name == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    auto it = commands().find(name);
    if (it == commands().end()) return usage("unknown command '" + name + "'");
    cli::Args args(argv + 2, argv + argc);
    try {
        return it->second(args);
    } catch (const cli::BadUsage& e) {
        return usage(e.what());
    } catch (const cli::AlreadyReported&) {
        return 1;
    } catch (const MaskError& e) {
        // the mask is quoted as Windows-1251 bytes
        cli::reportError(cp1251ToUtf8(e.what()));
        return 1;
    } catch (const std::exception& e) {
        cli::reportError(e.what());
        return 1;
    }
}
