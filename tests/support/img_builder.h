#pragma once
// Builds IMG archives for tests and benchmarks:
//   ImgBuilder().add("a.txd", bytes).writeV2(path);
// Entries are placed in sectors after the directory in the order added, unless placed
// explicitly with at(sector).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ImgBuilder {
public:
    struct Item {
        std::string name;
        std::vector<uint8_t> data;
        std::optional<uint32_t> sector;       // explicit placement
        std::optional<uint32_t> sizeSectors;  // explicit Size field
    };

    ImgBuilder& add(const std::string& name, std::vector<uint8_t> data);
    ImgBuilder& add(const std::string& name, const std::string& text);
    // Places the last added entry at this sector / gives it this Size field.
    ImgBuilder& at(uint32_t sector);
    ImgBuilder& sizeField(uint32_t sectors);
    // First data sector for automatic placement (default: right after the directory).
    ImgBuilder& firstSector(uint32_t sector);

    // Single-file "VER2" archive.
    void writeV2(const std::string& path) const;
    // Two-file archive: path is the .img, the .dir goes beside it unless dirPath is given.
    void writeV1(const std::string& imgPath, const std::string& dirPath = "") const;

    const std::vector<Item>& items() const { return items_; }

private:
    std::vector<uint8_t> build(bool v2, std::vector<uint8_t>& dir) const;
    std::vector<Item> items_;
    std::optional<uint32_t> firstSector_;
};

}  // namespace testing_support
