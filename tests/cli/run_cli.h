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

// Under the locale `lang` (LANG; LC_ALL, LC_MESSAGES unset), whatever the machine's.
CliResult runCli(const std::vector<std::string>& args, const std::string& workDir = "",
                 const std::string& lang = "ru_RU.UTF-8");
// The same with stderr on a pseudo-terminal; err holds what the terminal received.
CliResult runCliOnTerminal(const std::vector<std::string>& args);

}  // namespace cli_testing
