#pragma once
// Reads an IMG directory back from disk, byte by byte, for tests that check what the
// browser's commands wrote.
#include <cstdint>
#include <string>
#include <vector>

namespace varmelo::gui::testing {

struct DiskRecord {
    uint32_t offset = 0;  // sectors
    uint32_t size = 0;    // sectors
    std::string name;     // up to the first zero byte, at most 24 bytes
    bool operator==(const DiskRecord&) const = default;
};

// "VER2" archive: the records named by the count at byte 4.
std::vector<DiskRecord> readVer2Directory(const std::string& archivePath);
// Two-file archive: every 32-byte record of the .dir file.
std::vector<DiskRecord> readDirFile(const std::string& dirPath);
std::vector<std::string> namesOf(const std::vector<DiskRecord>& records);

}  // namespace varmelo::gui::testing
