#pragma once
// Collision files (COL): a run of records, each the collision shape of one model.
//
// Layout (little-endian; floats are 32-bit; a vector is x, y, z):
// Record head, offsets from the record's start:
//    0 char[4] magic "COLL" (version 1), "COL2" or "COL3"; others are stepped over
//    4 u32 size of what follows this field: the next record starts at start + 8 + size
//    8 char[22] model name, ends at the first zero byte (lists show its first 20 bytes)
//   30 u16 model id
// Version 1 body from offset 32: float radius, vector centre, vector box min, vector box max,
//   u32 sphere count + spheres of 20 bytes (radius, centre, surface), u32 line count (no
//   data), u32 box count + boxes of 28 bytes (min, max, surface), u32 vertex count +
//   vertices of 12 bytes, u32 face count + faces of 16 bytes (u32 a, b, c, surface).
// Versions 2 and 3, header from offset 32: vector box min, vector box max, vector centre,
//   float radius, u16 sphere count, u16 box count, u32 face count, u32 flags, then u32
//   offsets of the spheres, boxes, lines, vertices, faces and triangle planes, and in
//   version 3 a shadow face count and two shadow offsets. Offsets count from start + 4.
//   Spheres: centre, radius, surface (20 bytes); boxes as in version 1; vertices: three i16
//   each divided by 128 (6 bytes); faces: u16 a, b, c, material, light (8 bytes). There is
//   no vertex count: the faces say how many vertices there are.
#include <cstdint>
#include <string>
#include <vector>

#include "core/math/vec.h"
#include "core/io/entry_reader.h"

namespace varmelo {

struct ColSphere {
    Vec3 centre;
    float radius = 0;
};

struct ColBox {
    Vec3 min;
    Vec3 max;
    Vec3 centre() const { return (min + max) * 0.5f; }
    // Width (x), height (y) and depth (z), whichever way round min and max are stored.
    Vec3 size() const;
};

struct ColFace {
    uint32_t a = 0, b = 0, c = 0;
};

// A record as a list shows it.
struct ColListing {
    std::string magic;  // "COLL", "COL2" or "COL3"
    std::string name;   // the first 20 bytes of the name field, up to the first zero
    uint64_t offset = 0;  // of the record's first byte in the entry
};

struct ColScan {
    std::vector<ColListing> records;
    std::string error;  // a read failure of the file itself; empty when whole
};

// Steps from record to record by their size fields; the zero bytes that pad an entry read as
// records of size 0 and are passed 8 bytes at a time. Stops when fewer than 8 bytes remain.
ColScan ScanColRecords(EntryReader& entry);

struct ColRecord {
    std::string magic;
    int version = 0;         // 1, 2 or 3; 0 for an unknown magic (nothing else is read)
    std::string name;        // as listed (20 bytes)
    std::string modelName;   // the whole 22-byte field
    uint64_t offset = 0;
    ColSphere bound;
    ColBox box;
    std::vector<ColSphere> spheres;
    std::vector<ColBox> boxes;
    std::vector<Vec3> vertices;
    std::vector<ColFace> faces;
    // True when a block ran past the record's end and was read only as far as it fits.
    bool cut = false;
    std::string error;  // the head itself could not be read; empty otherwise
};

// Reads the record starting at `offset` of the entry; nothing beyond the record's end
// (start + 8 + size, or the entry's end) is read. Never throws for bad content.
ColRecord ReadColRecord(EntryReader& entry, uint64_t offset);

// The shown vertex count: version 1's vertices, for versions 2 and 3 the largest face
// index + 1 (0 without faces).
uint64_t colVertexCount(const ColRecord& r);

}  // namespace varmelo
