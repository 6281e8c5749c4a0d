#pragma once
// Runs the real varmelo-cli binary and collects what it printed.
#include <string>
#include <vector>

namespace cli_testing {

struct CliResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args, const std::string& workDir = "");

}  // namespace cli_testing
