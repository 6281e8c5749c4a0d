#include "cli/run_cli.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace cli_testing {

namespace {
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

CliResult runCli(const std::vector<std::string>& args, const std::string& workDir, const std::string& lang) {
    char outName[] = "/tmp/varmelo-cli-out-XXXXXX";
    char errName[] = "/tmp/varmelo-cli-err-XXXXXX";
    int outFd = ::mkstemp(outName);
    int errFd = ::mkstemp(errName);
    CliResult r;
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        int nullFd = ::open("/dev/null", O_RDONLY);
        ::dup2(nullFd, 0);
        if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(127);
        ::unsetenv("LC_ALL");
        ::unsetenv("LC_MESSAGES");
        ::setenv("LANG", lang.c_str(), 1);
        std::vector<char*> argv;
        std::string exe = VARMELO_CLI_PATH;
        argv.push_back(exe.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
    ::close(outFd);
    ::close(errFd);
    r.out = slurp(outName);
    r.err = slurp(errName);
    ::unlink(outName);
    ::unlink(errName);
    return r;
}

CliResult runCliOnTerminal(const std::vector<std::string>& args) {
    int master = -1, slave = -1;
    CliResult r;
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return r;
    char outName[] = "/tmp/varmelo-cli-out-XXXXXX";
    int outFd = ::mkstemp(outName);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(master);
        ::dup2(outFd, 1);
        ::dup2(slave, 2);
        std::vector<char*> argv;
        std::string exe = VARMELO_CLI_PATH;
        argv.push_back(exe.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(slave);
    char buf[4096];
    ssize_t n;
    while ((n = ::read(master, buf, sizeof buf)) > 0) r.err.append(buf, size_t(n));  // EIO once the child is gone
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) r.status = WEXITSTATUS(status);
    ::close(master);
    ::close(outFd);
    r.out = slurp(outName);
    ::unlink(outName);
    return r;
}

}  // namespace cli_testing
