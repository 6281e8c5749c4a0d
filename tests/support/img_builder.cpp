#include "support/img_builder.h"

#include <algorithm>
#include <cstring>

#include "support/temp_dir.h"

namespace testing_support {

namespace {
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}
}  // namespace

ImgBuilder& ImgBuilder::add(const std::string& name, std::vector<uint8_t> data) {
    items_.push_back({name, std::move(data), std::nullopt, std::nullopt});
    return *this;
}

ImgBuilder& ImgBuilder::add(const std::string& name, const std::string& text) {
    return add(name, std::vector<uint8_t>(text.begin(), text.end()));
}

ImgBuilder& ImgBuilder::at(uint32_t sector) {
    items_.back().sector = sector;
    return *this;
}

ImgBuilder& ImgBuilder::sizeField(uint32_t sectors) {
    items_.back().sizeSectors = sectors;
    return *this;
}

ImgBuilder& ImgBuilder::firstSector(uint32_t sector) {
    firstSector_ = sector;
    return *this;
}

std::vector<uint8_t> ImgBuilder::build(bool v2, std::vector<uint8_t>& dir) const {
    size_t header = v2 ? 8 + 32 * items_.size() : 0;
    uint32_t next = firstSector_.value_or(uint32_t((header + 2047) / 2048));
    dir.assign(32 * items_.size(), 0);
    std::vector<uint8_t> data;
    for (size_t i = 0; i < items_.size(); ++i) {
        const Item& it = items_[i];
        uint32_t sectors = uint32_t((it.data.size() + 2047) / 2048);
        uint32_t sector = it.sector.value_or(next);
        if (!it.sector) next += sectors;
        size_t start = size_t(sector) * 2048;
        size_t end = start + size_t(sectors) * 2048;
        if (data.size() < end) data.resize(end, 0);
        std::copy(it.data.begin(), it.data.end(), data.begin() + std::ptrdiff_t(start));
        put32(dir, 32 * i, sector);
        put32(dir, 32 * i + 4, it.sizeSectors.value_or(sectors));
        std::memcpy(dir.data() + 32 * i + 8, it.name.data(), std::min<size_t>(it.name.size(), 24));
    }
    if (v2) {
        if (data.size() < header) data.resize(header, 0);
        std::memcpy(data.data(), "VER2", 4);
        put32(data, 4, uint32_t(items_.size()));
        std::copy(dir.begin(), dir.end(), data.begin() + 8);
    }
    return data;
}

void ImgBuilder::writeV2(const std::string& path) const {
    std::vector<uint8_t> dir;
    writeFile(path, build(true, dir));
}

void ImgBuilder::writeV1(const std::string& imgPath, const std::string& dirPath) const {
    std::vector<uint8_t> dir;
    auto data = build(false, dir);
    writeFile(imgPath, data);
    std::string d = dirPath;
    if (d.empty()) {
        auto dot = imgPath.find_last_of('.');
        d = (dot == std::string::npos ? imgPath : imgPath.substr(0, dot)) + ".dir";
    }
    writeFile(d, dir);
}

}  // namespace testing_support
