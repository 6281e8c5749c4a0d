#pragma once
// Builds collision files (COL) for tests and sample content (no test framework):
//   colRecord(ColRecordPlan{...}) gives one record; records are concatenated into a file.
// Versions 2 and 3 place the spheres, boxes, vertices and faces after the header, in that
// order, and point the header's offsets at them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model/col_reader.h"

namespace testing_support {

struct ColRecordPlan {
    std::string magic = "COLL";
    std::string name;  // up to 22 bytes are written
    uint16_t modelId = 0;
    varmelo::ColSphere bound;
    varmelo::ColBox box;
    std::vector<varmelo::ColSphere> spheres;
    std::vector<varmelo::ColBox> boxes;
    std::vector<varmelo::Vec3> vertices;  // versions 2 and 3: stored times 128, rounded
    std::vector<std::array<int16_t, 3>> packedVertices;  // versions 2 and 3: written as they are when given
    std::vector<varmelo::ColFace> faces;
    std::optional<uint32_t> sizeField;  // stated instead of the real size
};

std::vector<uint8_t> colRecord(const ColRecordPlan& r);

// Byte offsets of the version 2/3 header fields from the record's start.
inline constexpr size_t kColSphereOffsetField = 84;
inline constexpr size_t kColBoxOffsetField = 88;
inline constexpr size_t kColVertexOffsetField = 96;
inline constexpr size_t kColFaceOffsetField = 100;
inline constexpr size_t kColFaceCountField = 76;

// A file with a "COLL", a "COL2" and a "COL3" record of a car-sized shape: bounding shapes,
// spheres for the wheels, boxes for the body and a triangle mesh of the body.
std::vector<uint8_t> demoCollision();

}  // namespace testing_support
