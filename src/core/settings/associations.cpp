#include "core/settings/associations.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "core/archive/archive_file_type.h"
#include "core/io/binary_file.h"
#include "core/io/errors.h"
#include "core/io/xml_escape.h"
#include "core/io/file_system.h"
#include "core/settings/mimeapps_list.h"

extern char** environ;

namespace varmelo {

namespace {

// Written into every file the program creates, so it removes only its own.
constexpr const char* kPackageMarker = "<!-- varmelo-association -->";
constexpr const char* kDesktopMarker = "X-Varmelo-Association=true";

void checkTag(int tag) {
    if (tag < 0 || tag >= associationCount()) throw UsageError("association tag out of range");
}

std::string readSmallFile(const std::string& path) {
    if (!fileExists(path)) return {};
    BinaryFile f = BinaryFile::openRead(path);
    uint64_t size = f.size();
    if (size > (4u << 20)) throw FileError(kAccessDenied);
    std::string s(size_t(size), '\0');
    s.resize(f.readSome(s.data(), s.size()));
    return s;
}

bool fileContains(const std::string& path, const std::string& needle) {
    try {
        return readSmallFile(path).find(needle) != std::string::npos;
    } catch (const std::exception&) {
        return false;
    }
}

// A key-file string value: a line break would end the value.
std::string keyFileEscape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out;
}

std::string packageXml(int tag, const std::string& description) {
    const std::string ext = associationExtension(tag);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  " + std::string(kPackageMarker) + "\n"
           "  <mime-type type=\"" + associationMimeType(tag) + "\">\n"
           "    <comment>" + xmlEscape(description) + "</comment>\n"
           "    <glob pattern=\"*." + ext + "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

bool findInPath(const std::string& name, const std::string& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t colon = path.find(':', start);
        std::string dir = path.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!dir.empty() && ::access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return false;
}

}  // namespace

int associationCount() { return int(archiveFileTypes().size()); }

std::string associationExtension(int tag) {
    checkTag(tag);
    return std::string(archiveFileTypes()[size_t(tag)]->extension);
}

std::string associationMimeType(int tag) {
    checkTag(tag);
    return mimeTypeOf(*archiveFileTypes()[size_t(tag)]);
}

ToolRunner systemToolRunner() {
    return [](const std::vector<std::string>& argv) {
        const char* pathVar = std::getenv("PATH");
        if (argv.empty() || !pathVar || !findInPath(argv[0], pathVar)) return;
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid_t pid = 0;
        if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
        posix_spawn_file_actions_destroy(&actions);
    };
}

AssociationPlaces associationPlaces(const Environment& env, const std::string& executable) {
    return {xdgDataHome(env), xdgConfigHome(env), executable, systemToolRunner()};
}

std::string desktopExecLine(const std::string& executable) {
    std::string quoted = "\"";
    for (char c : executable) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
        if (c == '%') quoted += '%';
    }
    quoted += "\" %f";
    return keyFileEscape(quoted);
}

Associations::Associations(AssociationPlaces places) : places_(std::move(places)) {}

std::string Associations::mimePackagePath(int tag) const {
    return places_.dataHome + "/mime/packages/varmelo-" + associationExtension(tag) + ".xml";
}

std::string Associations::desktopFilePath() const { return places_.dataHome + "/applications/" + kDesktopFileName; }

std::string Associations::mimeAppsPath() const { return places_.configHome + "/mimeapps.list"; }

bool Associations::isAssociated(int tag) const {
    return !places_.dataHome.empty() && fileExists(mimePackagePath(tag));
}

std::vector<bool> Associations::state() const {
    std::vector<bool> s;
    for (int t = 0; t < associationCount(); ++t) s.push_back(isAssociated(t));
    return s;
}

bool Associations::allAssociated() const {
    for (bool b : state())
        if (!b) return false;
    return true;
}

void Associations::set(int tag, bool on, const std::string& description) {
    apply(tag, on, description);
    refresh();
}

void Associations::setAll(bool on, const std::string& description) {
    for (int t = 0; t < associationCount(); ++t) apply(t, on, description);
    refresh();
}

void Associations::apply(int tag, bool on, const std::string& description) {
    checkTag(tag);
    if (places_.dataHome.empty() || places_.configHome.empty()) throw FileError(kFileNotFound);
    const std::string package = mimePackagePath(tag);
    const std::string mime = associationMimeType(tag);
    if (on) {
        writeFileAtomically(package, packageXml(tag, description));
    } else if (fileContains(package, kPackageMarker)) {
        removeFile(package);
    }
    updateDesktopEntry(description);

    const std::string apps = mimeAppsPath();
    std::string before = readSmallFile(apps);
    std::string after = on ? setDefaultApplication(before, mime, kDesktopFileName)
                           : removeDefaultApplication(before, mime, kDesktopFileName);
    if (after != before) writeFileAtomically(apps, after);
}

void Associations::updateDesktopEntry(const std::string& description) {
    std::string types;
    for (int t = 0; t < associationCount(); ++t)
        if (isAssociated(t)) types += associationMimeType(t) + ";";
    const std::string path = desktopFilePath();
    // An entry the program did not write - the one of an install under ~/.local, or the
    // user's own - names the program already and stays as it is.
    if (fileExists(path) && !fileContains(path, kDesktopMarker)) return;
    if (types.empty()) {
        if (fileExists(path)) removeFile(path);
        return;
    }
    // The entry hides an installed program's own entry of the same name from the menu, so
    // for an installed program it stays visible, with the icon; a copy run from anywhere
    // else gets no menu entry from registering its file types.
    const bool installed = isInstalledProgramFolder(folderOf(places_.executable));
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Version=1.0\n"
                        "Name=Varmelo\n"
                        "Comment=" + keyFileEscape(description) + "\n"
                        "Exec=" + desktopExecLine(places_.executable) + "\n"
                        "Terminal=false\n" +
                        (installed ? "Icon=varmelo\n" : "NoDisplay=true\n") +
                        "MimeType=" + types + "\n" +
                        kDesktopMarker + "\n";
    writeFileAtomically(path, entry);
}

void Associations::refresh() const {
    if (!places_.runTool) return;
    places_.runTool({"update-mime-database", places_.dataHome + "/mime"});
    places_.runTool({"update-desktop-database", places_.dataHome + "/applications"});
}

}  // namespace varmelo
