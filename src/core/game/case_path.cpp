#include "core/game/case_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace varmelo {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool sameIgnoringCase(const char* a, const std::string& b) {
    size_t i = 0;
    for (; a[i] != '\0'; ++i)
        if (i == b.size() || lower(a[i]) != lower(b[i])) return false;
    return i == b.size();
}

std::vector<std::string> componentsOf(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            if (!part.empty() && part != ".") parts.push_back(part);
            part.clear();
        } else {
            part += path[i];
        }
    }
    return parts;
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The name in `folder` that matches `name` ignoring case; the smallest such name when
// several do, so the answer does not hang on the order the folder lists them in.
std::optional<std::string> findInFolder(const std::string& folder, const std::string& name) {
    DIR* d = ::opendir(folder.c_str());
    if (d == nullptr) return std::nullopt;
    std::optional<std::string> found;
    while (const dirent* e = ::readdir(d))
        if (sameIgnoringCase(e->d_name, name) && (!found || *found > e->d_name)) found = e->d_name;
    ::closedir(d);
    return found;
}

}  // namespace

std::optional<std::string> resolveIgnoringCase(const std::string& base, const std::string& relative) {
    const std::vector<std::string> parts = componentsOf(relative);
    for (const std::string& p : parts)
        if (p == "..") return std::nullopt;
    std::string path = base;
    for (const std::string& p : parts) {
        const std::string exact = path + "/" + p;
        if (exists(exact)) {
            path = exact;
            continue;
        }
        const std::optional<std::string> real = findInFolder(path, p);
        if (!real) return std::nullopt;
        path += "/" + *real;
    }
    if (!exists(path)) return std::nullopt;
    return path;
}

std::string pathKey(const std::string& relative) {
    std::string key;
    for (const std::string& p : componentsOf(relative)) {
        if (!key.empty()) key += '/';
        for (char c : p) key += lower(c);
    }
    return key;
}

}  // namespace varmelo
