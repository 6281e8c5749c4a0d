#include "gui/support/img_on_disk.h"

#include <stdexcept>

#include "support/temp_dir.h"

namespace varmelo::gui::testing {

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8 | uint32_t(b.at(at + 2)) << 16 | uint32_t(b.at(at + 3)) << 24;
}

std::vector<DiskRecord> records(const std::vector<uint8_t>& b, size_t start, size_t count) {
    std::vector<DiskRecord> out;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = start + 32 * i;
        if (at + 32 > b.size()) throw std::runtime_error("directory cut short");
        DiskRecord r;
        r.offset = u32(b, at);
        r.size = u32(b, at + 4);
        for (size_t k = 0; k < 24 && b[at + 8 + k] != 0; ++k) r.name += char(b[at + 8 + k]);
        out.push_back(r);
    }
    return out;
}

}  // namespace

std::vector<DiskRecord> readVer2Directory(const std::string& archivePath) {
    const auto b = testing_support::readFile(archivePath);
    if (b.size() < 8 || std::string(b.begin(), b.begin() + 4) != "VER2") throw std::runtime_error("not VER2");
    return records(b, 8, u32(b, 4));
}

std::vector<DiskRecord> readDirFile(const std::string& dirPath) {
    const auto b = testing_support::readFile(dirPath);
    if (b.size() % 32 != 0) throw std::runtime_error("torn directory");
    return records(b, 0, b.size() / 32);
}

std::vector<std::string> namesOf(const std::vector<DiskRecord>& records) {
    std::vector<std::string> out;
    for (const auto& r : records) out.push_back(r.name);
    return out;
}

}  // namespace varmelo::gui::testing
