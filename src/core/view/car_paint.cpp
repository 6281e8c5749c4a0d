#include "core/view/car_paint.h"

#include "core/view/model_textures.h"

namespace varmelo {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb kPaintPlaceholders[] = {{60, 255, 0}, {255, 0, 175}, {0, 255, 255}, {255, 0, 255}};
constexpr Rgb kLightPlaceholders[] = {{255, 175, 0}, {0, 255, 200}, {185, 255, 0}, {255, 60, 0}};

bool same(const MaterialColour& c, Rgb p) { return c[0] == p.r && c[1] == p.g && c[2] == p.b; }

MaterialColour painted(MaterialColour c, GameKind kind, const std::vector<PaletteColour>& paint) {
    // III and Vice City paint two colours only: their third and fourth placeholders are plain colours.
    const size_t places = kind == GameKind::Sa ? 4 : 2;
    for (size_t i = 0; i < places; ++i)
        if (same(c, kPaintPlaceholders[i])) {
            if (i < paint.size()) return {paint[i].r, paint[i].g, paint[i].b, c[3]};
            return c;
        }
    for (Rgb light : kLightPlaceholders)
        if (same(c, light)) return {255, 255, 255, c[3]};
    return c;
}

}  // namespace

std::vector<std::vector<uint8_t>> carColourSets(const CarcolsFile& carcols, GameKind kind, const std::string& model) {
    std::vector<std::vector<uint8_t>> fours, pairs;
    for (const CarColourSets& car : carcols.cars) {
        if (!sameAsciiName(car.model, model)) continue;
        for (const auto& f : car.fours) fours.emplace_back(f.begin(), f.end());
        for (const auto& p : car.pairs) pairs.emplace_back(p.begin(), p.end());
    }
    return kind == GameKind::Sa && !fours.empty() ? fours : pairs;
}

std::vector<PaletteColour> setColours(const CarcolsFile& carcols, const std::vector<uint8_t>& set) {
    std::vector<PaletteColour> out;
    for (uint8_t index : set) {
        if (index >= carcols.palette.size()) break;
        out.push_back(carcols.palette[index]);
    }
    return out;
}

std::vector<std::vector<MaterialColour>> paintedColours(const DffClump& clump, GameKind kind,
                                                        const std::vector<PaletteColour>& paint) {
    std::vector<std::vector<MaterialColour>> out;
    for (const DffGeometry& g : clump.geometries) {
        out.emplace_back();
        for (const DffMaterial& m : g.materials) out.back().push_back(painted(m.colour, kind, paint));
    }
    return out;
}

DffClump paintedClump(DffClump clump, GameKind kind, const std::vector<PaletteColour>& paint) {
    for (DffGeometry& g : clump.geometries)
        for (DffMaterial& m : g.materials) m.colour = painted(m.colour, kind, paint);
    return clump;
}

}  // namespace varmelo
