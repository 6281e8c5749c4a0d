#include "core/settings/settings_location.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

Environment processEnvironment() {
    return [](const std::string& name) {
        const char* v = std::getenv(name.c_str());
        return std::string(v ? v : "");
    };
}

namespace {

std::string xdgFolder(const Environment& env, const char* var, const char* underHome) {
    // Relative values are invalid by the XDG rules and are ignored.
    std::string v = env(var);
    if (!v.empty() && v.front() == '/') return v;
    std::string home = env("HOME");
    if (home.empty() || home.front() != '/') return {};
    if (home.size() > 1 && home.back() == '/') home.pop_back();
    return home + underHome;
}

}  // namespace

bool isInstalledProgramFolder(const std::string& executableFolder) {
    std::string folder = executableFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const size_t slash = folder.rfind('/');
    const std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    return name == "bin" && directoryExists(folder + "/../share/varmelo");
}

std::string xdgConfigHome(const Environment& env) { return xdgFolder(env, "XDG_CONFIG_HOME", "/.config"); }
std::string xdgDataHome(const Environment& env) { return xdgFolder(env, "XDG_DATA_HOME", "/.local/share"); }

std::string executablePath() {
    std::vector<char> buf(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (size_t(n) < buf.size()) return std::string(buf.data(), size_t(n));
        if (buf.size() >= (1u << 20)) return {};
        buf.resize(buf.size() * 2);
    }
}

std::string executableFolder() {
    const std::string exe = executablePath();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

SettingsLocation findSettingsLocation(const std::string& executableFolder, const Environment& env) {
    SettingsLocation loc;
    // Writing options.ini goes through a temporary file beside it, so the folder itself
    // must be writable, not only an existing options.ini.
    if (!executableFolder.empty() && directoryExists(executableFolder) && !isInstalledProgramFolder(executableFolder) &&
        ::access(executableFolder.c_str(), W_OK | X_OK) == 0) {
        loc.folder = executableFolder;
        loc.portable = true;
        return loc;
    }
    std::string config = xdgConfigHome(env);
    if (!config.empty()) loc.folder = config + "/varmelo";
    return loc;
}

void makeFolders(const std::string& path) {
    if (path.empty()) throw FileError(kFileNotFound);
    if (directoryExists(path)) return;
    std::string parent = folderOf(path);
    if (parent != path && parent != "." && parent != "/") makeFolders(parent);
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) throwErrno(errno);
    if (!directoryExists(path)) throw FileError(kAccessDenied);
}

void writeFileAtomically(const std::string& path, const std::string& contents) {
    std::string folder = folderOf(path);
    makeFolders(folder);
    // Keep the permissions of the file being replaced.
    mode_t mode = 0644;
    struct stat st {};
    bool existed = ::stat(path.c_str(), &st) == 0;
    if (existed) {
        if (!S_ISREG(st.st_mode)) throw FileError(kAccessDenied);
        mode = st.st_mode & 07777;
        // A file the user made read-only stays as it is.
        requireWritable(path);
    }
    std::string tmpl = path + ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) throwErrno(errno);
    ::close(fd);
    try {
        {
            BinaryFile out = BinaryFile::create(tmpl);
            out.write(contents.data(), contents.size());
            out.sync();
            out.close();
        }
        ::chmod(tmpl.c_str(), mode);
        renameFile(tmpl, path);
    } catch (...) {
        removeFileQuietly(tmpl);
        throw;
    }
}

}  // namespace varmelo
