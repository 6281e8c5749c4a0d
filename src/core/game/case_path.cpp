#include "core/game/case_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

namespace varmelo {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string lowerCopy(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = lower(c);
    return out;
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
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

const CaseResolver::Listing* CaseResolver::listing(const std::string& folder) {
    auto it = folders_.find(folder);
    if (it == folders_.end()) {
        std::optional<Listing> names;
        if (DIR* d = ::opendir(folder.c_str())) {
            names.emplace();
            while (const dirent* e = ::readdir(d)) (*names)[lowerCopy(e->d_name)].push_back(e->d_name);
            ::closedir(d);
            // The smallest of several names that differ only in case, so the answer does not
            // hang on the order the folder lists them in.
            for (auto& [key, real] : *names) std::sort(real.begin(), real.end());
        }
        it = folders_.emplace(folder, std::move(names)).first;
    }
    return it->second ? &*it->second : nullptr;
}

std::optional<std::string> CaseResolver::resolve(const std::string& relative) {
    const std::vector<std::string> parts = componentsOf(relative);
    for (const std::string& p : parts)
        if (p == "..") return std::nullopt;
    // The two spellings most paths have, at the cost of a lookup each instead of listing every
    // folder on the way.
    std::string written = base_, lowered = base_;
    for (const std::string& p : parts) {
        written += "/" + p;
        lowered += "/" + lowerCopy(p);
    }
    if (exists(written)) return written;
    if (exists(lowered)) return lowered;
    std::string path = base_;
    for (const std::string& p : parts) {
        const Listing* names = listing(path);
        if (names == nullptr) return std::nullopt;
        const auto found = names->find(lowerCopy(p));
        if (found == names->end()) return std::nullopt;
        const std::vector<std::string>& real = found->second;
        // An exact match wins over one differing in case.
        path += "/" + (std::find(real.begin(), real.end(), p) != real.end() ? p : real.front());
    }
    return path;
}

std::optional<std::string> resolveIgnoringCase(const std::string& base, const std::string& relative) {
    return CaseResolver(base).resolve(relative);
}

std::string pathKey(const std::string& relative) {
    std::string key;
    for (const std::string& p : componentsOf(relative)) {
        if (!key.empty()) key += '/';
        key += lowerCopy(p);
    }
    return key;
}

}  // namespace varmelo
