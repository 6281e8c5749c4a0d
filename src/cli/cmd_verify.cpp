#include <cstdio>

#include "cli/cli.h"
#include "core/archive/verify.h"
#include "core/io/codepage.h"

namespace varmelo::cli {

int runVerify(const Args& args) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) throw BadUsage("verify: give one archive");
    Archive a = loadArchive(args[0]);
    auto findings = verifyArchive(a);
    std::string out;
    for (const auto& f : findings) {
        // Entry names are stored bytes in the archive's code page; a file path is the system's own.
        const std::string line = describeFinding(a, f);
        out += f.kind == VerifyFinding::Kind::LeftoverRebuild ? line : cp1251ToUtf8(line);
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return findings.empty() ? 0 : 1;
}

}  // namespace varmelo::cli
