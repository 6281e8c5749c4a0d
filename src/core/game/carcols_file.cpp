#include "core/game/carcols_file.h"

#include <optional>

#include "core/game/text_fields.h"
#include "core/io/codepage.h"

namespace varmelo {

namespace {

enum class Section { Outside, Col, Car, Car4, Other };

Section sectionOf(std::string_view word) {
    const std::string lower = asciiLower(word);
    if (lower == "col") return Section::Col;
    if (lower == "car") return Section::Car;
    if (lower == "car4") return Section::Car4;
    return Section::Other;
}

std::optional<uint8_t> byteOf(std::string_view s) {
    const std::optional<int32_t> v = parseInt(s);
    if (!v || *v < 0 || *v > 255) return std::nullopt;
    return uint8_t(*v);
}

bool readColour(const std::vector<std::string_view>& f, CarcolsFile& out) {
    if (f.size() != 3) return false;
    const auto r = byteOf(f[0]), g = byteOf(f[1]), b = byteOf(f[2]);
    if (!r || !g || !b) return false;
    out.palette.push_back({*r, *g, *b});
    return true;
}

// A model name and then whole sets of `N` palette numbers.
template <size_t N>
bool readSets(const std::vector<std::string_view>& f, std::vector<std::array<uint8_t, N>> CarColourSets::*sets,
              CarcolsFile& out) {
    if (f.size() < 1 + N || (f.size() - 1) % N != 0) return false;
    CarColourSets car;
    car.model = std::string(f[0]);
    for (size_t i = 1; i < f.size(); i += N) {
        std::array<uint8_t, N> set{};
        for (size_t k = 0; k < N; ++k) {
            const std::optional<uint8_t> v = byteOf(f[i + k]);
            if (!v) return false;
            set[k] = *v;
        }
        (car.*sets).push_back(set);
    }
    out.cars.push_back(std::move(car));
    return true;
}

}  // namespace

CarcolsFile parseCarcols(std::string_view text) {
    CarcolsFile out;
    TextLines lines(text);
    uint32_t number = 0;
    Section section = Section::Outside;
    std::vector<std::string_view> f;
    for (std::string_view line; lines.next(line);) {
        ++number;
        if (line.empty()) continue;
        if (section == Section::Outside) {
            section = sectionOf(line);
            continue;
        }
        if (line.size() == 3 && asciiLower(line) == "end") {
            section = Section::Outside;
            continue;
        }
        splitFields(line, f);
        bool ok = true;
        if (section == Section::Col) ok = readColour(f, out);
        else if (section == Section::Car) ok = readSets<2>(f, &CarColourSets::pairs, out);
        else if (section == Section::Car4) ok = readSets<4>(f, &CarColourSets::fours, out);
        if (!ok) out.badLines.push_back(number);
    }
    return out;
}

}  // namespace varmelo
