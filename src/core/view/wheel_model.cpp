#include "core/view/wheel_model.h"

#include "core/game/case_path.h"
#include "core/io/codepage.h"
#include "core/io/file_system.h"
#include "core/model/dff_parts.h"
#include "core/model/frame_space.h"
#include "core/view/game_dictionaries.h"
#include "core/view/game_view_rules.h"
#include "core/view/model_textures.h"

namespace varmelo {

namespace {

// The clump's atomic that draws `name`: its frame named so, or "<name>_l0" (the near level of
// detail); else, for a file of the wheel alone, its first atomic that draws anything.
std::optional<DffGeometry> wheelGeometry(const DffClump& clump, const std::string& name, bool alone) {
    const std::vector<DffPart> parts = dffParts(clump);
    for (const DffPart& p : parts)
        if (p.placed() && (sameAsciiName(p.caption, name) || sameAsciiName(p.caption, name + "_l0")))
            return clump.geometries[size_t(p.geometry)];
    if (alone)
        for (const DffPart& p : parts)
            if (p.placed() && !clump.geometries[size_t(p.geometry)].positions.empty())
                return clump.geometries[size_t(p.geometry)];
    return std::nullopt;
}

std::optional<DffGeometry> readWheel(EntryReader reader, const std::string& name, bool alone) {
    const DffClump clump = ReadDffClump(reader);
    return wheelGeometry(clump, name, alone);
}

}  // namespace

std::optional<WheelModel> findWheelModel(const GameData& game, const GameModelRecord& car, const Archive* modelArchive) {
    if (!car.car || !car.car->wheelModelId || *car.car->wheelModelId < 0) return std::nullopt;
    const std::optional<GameModelRecord> record = findModelRecordById(game, *car.car->wheelModelId);
    if (!record || record->model.empty()) return std::nullopt;
    try {
        if (auto entry = openGameEntry(game, modelArchive, record->model + ".dff"))
            if (auto g = readWheel(std::move(*entry), record->model, true)) return WheelModel{*record, std::move(*g)};
        for (const GameDatRead& d : game.dats)
            for (const DatLine& line : d.dat.lines) {
                if (line.keyword != DatKeyword::ModelFile) continue;
                const auto path = resolveIgnoringCase(game.folder, line.path);
                if (!path) continue;
                if (auto g = readWheel(EntryReader::open(*path, 0, fileSize(*path)), record->model, false))
                    return WheelModel{*record, std::move(*g)};
            }
    } catch (const std::runtime_error&) {
        // A wheel that cannot be read leaves the car's own.
    }
    return std::nullopt;
}

DffClump withWheel(DffClump car, const WheelModel& wheel) {
    car.geometries.push_back(wheel.geometry);
    const int32_t geometry = int32_t(car.geometries.size() - 1);
    const std::vector<DffPart> parts = dffParts(car);
    bool replaced = false;
    for (size_t i = 0; i < parts.size() && i < car.atomics.size(); ++i)
        if (parts[i].frame >= 0 && isWheelPart(car, parts[i])) {
            car.atomics[i].geometry = geometry;
            replaced = true;
        }
    if (replaced) return car;
    for (size_t f = 0; f < car.frames.size(); ++f) {
        if (!isWheelDummy(car.frames[f])) continue;
        DffFrame frame;
        frame.name = "wheel";
        frame.parent = int32_t(f);
        car.frames.push_back(frame);
        car.atomics.push_back({int32_t(car.frames.size() - 1), geometry});
        car.atomicCount = uint32_t(car.atomics.size());
        car.world = frameWorldMatrices(car.frames);
        break;
    }
    return car;
}

}  // namespace varmelo
