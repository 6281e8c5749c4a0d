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
    for (const auto& f : findings) out += cp1251ToUtf8(describeFinding(a, f)) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return findings.empty() ? 0 : 1;
}

}  // namespace varmelo::cli
