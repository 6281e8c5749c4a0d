#pragma once
// The rows a model preview lists: one per atomic, in atomic order. A row's caption is the
// name of its atomic's frame and its part is the geometry that atomic draws, placed by the
// whole chain of frames from the atomic's frame up to the root.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/model/dff_reader.h"

namespace varmelo {

struct DffPart {
    std::string caption;
    int frame = -1;     // index into the clump's frames, -1 when the atomic's is out of range
    int geometry = -1;  // index into the clump's geometries, -1 when the atomic's is out of range

    // A row draws its geometry only when both indices hold.
    bool placed() const { return frame >= 0 && geometry >= 0; }
};

std::vector<DffPart> dffParts(const DffClump& clump);

// The matrix that places a part drawn at `frame` (the clump's world matrix of that frame).
const Mat4& partMatrix(const DffClump& clump, int frame);

// The vertex indices a stored triangle is drawn with, in drawing order (words 1, 0, 3).
inline std::array<uint16_t, 3> drawnCorners(const std::array<uint16_t, 4>& t) { return {t[1], t[0], t[3]}; }

struct Bounds {
    Vec3 min;
    Vec3 max;
};

// The box around the triangle corners a part draws, placed as the view places them;
// nothing when it draws no triangle.
std::optional<Bounds> partBounds(const DffClump& clump, const DffPart& part);

// Whether a triangle's corners all lie inside its geometry's vertex array.
bool drawable(const DffGeometry& g, const std::array<uint16_t, 4>& t);

// The drawable triangles of a geometry (their indices) grouped by the material they name:
// group m for material m, then one last group for those naming a material the list lacks.
std::vector<std::vector<uint32_t>> trianglesByMaterial(const DffGeometry& g);

}  // namespace varmelo
