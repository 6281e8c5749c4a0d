#include "core/settings/recent_files.h"

#include <cstdio>

#include "core/settings/ini_document.h"

namespace varmelo {

namespace {

std::string mruKey(int i) {
    char key[8];
    std::snprintf(key, sizeof key, "%02d", i);
    return key;
}

}  // namespace

bool RecentFiles::note(const std::string& path) {
    if (path == entries_[0]) return false;
    for (int i = kRecentFileCount - 1; i > 0; --i) entries_[size_t(i)] = entries_[size_t(i - 1)];
    entries_[0] = path;
    return true;
}

RecentFiles RecentFiles::read(const IniDocument& ini) {
    RecentFiles list;
    size_t n = 0;
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto v = ini.value("MRU", mruKey(i));
        if (v && !v->empty()) list.entries_[n++] = *v;
    }
    return list;
}

void RecentFiles::write(IniDocument& ini) const {
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string& path = entries_[size_t(i)];
        if (path.empty() || path.find_first_of("\r\n") != std::string::npos)
            ini.remove("MRU", mruKey(i));
        else
            ini.set("MRU", mruKey(i), path);
    }
}

}  // namespace varmelo
