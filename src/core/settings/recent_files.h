#pragma once
// The five most recently opened archives, entry 0 the most recent.
#include <array>
#include <string>

namespace varmelo {

class IniDocument;

inline constexpr int kRecentFileCount = 5;

class RecentFiles {
public:
    const std::string& at(int i) const { return entries_.at(size_t(i)); }
    const std::array<std::string, kRecentFileCount>& entries() const { return entries_; }

    // Records a path about to be opened. Only entry 0 is compared (exactly, case
    // included): an equal path changes nothing and returns false; any other path moves the
    // entries down one place, drops the last and becomes entry 0. A copy of the path
    // further down the list stays where it is.
    bool note(const std::string& path);

    // Reads MRU/00..04. Entries are packed to the front in key order, so a file with
    // gaps (say only 00 and 03) never leaves a hidden recent-file slot between visible ones.
    static RecentFiles read(const IniDocument& ini);
    // Writes every non-empty entry as MRU/00..04 and removes the keys of empty entries,
    // so no stale path from an earlier gap comes back at the next start. A path holding
    // a line break cannot be stored in an INI line; its key is removed instead.
    void write(IniDocument& ini) const;

private:
    std::array<std::string, kRecentFileCount> entries_;
};

}  // namespace varmelo
