#include "core/model/dff_reader.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <type_traits>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/model/frame_space.h"
#include "core/rw/chunk.h"

namespace varmelo {

namespace {

constexpr uint32_t kChunkClump = 0x10;
constexpr uint32_t kChunkFrameList = 0x0E;
constexpr uint32_t kChunkGeometryList = 0x1A;
constexpr uint32_t kChunkGeometry = 0x0F;
constexpr uint32_t kChunkAtomic = 0x14;
constexpr uint32_t kChunkFrameName = 0x0253F2FE;
constexpr uint32_t kChunkMaterialList = 0x08;
constexpr uint32_t kChunkNightColours = 0x0253F2F9;
constexpr uint64_t kFrameBytes = 56;
constexpr uint32_t kLightingBlockUntil = 0x34000;
constexpr uint32_t kClumpCountsFrom = 0x33000;  // light and camera counts beside the atomic count

// A Struct's body, read as the data of the chunk that holds it: messages name that chunk
// ("Geometry at 0x1A2C: triangle list runs past the chunk").
struct StructData {
    uint64_t end = 0;
    ChunkPlace owner;
};

StructData dataOf(const FoundChunk& s, const FoundChunk& owner) { return {s.end, owner.place()}; }

// Reads stay inside the Struct's body, whatever the entry holds after it.
void need(const EntryReader& r, uint64_t bytes, const StructData& d, const char* what) {
    NeedWithin(r, bytes, d.end, d.owner, what);
}

// Bytes for `count` items of `size` bytes, refused before any table is sized from a count
// that the chunk cannot hold.
uint64_t tableBytes(const EntryReader& r, int64_t count, uint64_t size, const StructData& d, const char* what) {
    if (count < 0) throwChunkError(d.owner, std::string(what) + " has a negative count");
    const uint64_t bytes = uint64_t(count) * size;  // count < 2^31, size <= 56: no overflow
    need(r, bytes, d, what);
    return bytes;
}

// Some tools write a wrong size word into Structs whose length the format fixes (16 777 228
// or 65 548 for a clump's 12, a bit flipped high): the games read the fixed fields and go on.
// So does this, when the stated size runs past the parent or the chunk expected next stands
// right after the fixed fields; the Struct then ends after them and the clump notes it.
// Anything else stays as strict as any other chunk.
FoundChunk repairFixedStruct(EntryReader& r, FoundChunk s, const FoundChunk& parent, uint64_t fixed, uint32_t next,
                             DffClump& clump) {
    if (s.header.size == fixed || parent.end - s.body() < fixed) return s;
    bool damaged = s.cut();
    if (!damaged && next != 0 && parent.end - s.body() >= fixed + kChunkHeaderSize) {
        const uint64_t at = r.pos();
        r.seek(s.body() + fixed);
        damaged = readChunkHeader(r).type == next;
        r.seek(at);
    }
    if (!damaged) return s;
    char note[160];
    std::snprintf(note, sizeof note, "%s Struct at 0x%llX: damaged size word (%u), read as %u",
                  chunkName(parent.header.type).c_str(), static_cast<unsigned long long>(s.offset), s.header.size,
                  unsigned(fixed));
    clump.notes.emplace_back(note);
    s.end = s.body() + fixed;
    return s;
}

FoundChunk fixedStruct(EntryReader& r, const FoundChunk& parent, uint64_t fixed, uint32_t next, DffClump& clump) {
    return repairFixedStruct(r, RequireChunk(r, kChunkStruct, parent), parent, fixed, next, clump);
}

Vec3 vec3At(const uint8_t* p) { return {f32le(p), f32le(p + 4), f32le(p + 8)}; }

// A table of `count` items of T, each stored in sizeof(T) bytes: the bytes are read straight
// into the table's own memory and decoded there, item by item, so they are copied once and
// never pass through a buffer.
template <class T, class Decode>
std::vector<T> readTable(EntryReader& r, int32_t count, const StructData& s, const char* what, Decode decode) {
    static_assert(std::is_trivially_copyable_v<T>);
    const uint64_t bytes = tableBytes(r, count, sizeof(T), s, what);
    std::vector<T> out(static_cast<size_t>(count));
    auto* raw = reinterpret_cast<uint8_t*>(out.data());
    r.read(raw, size_t(bytes));
    for (size_t i = 0; i < out.size(); ++i) out[i] = decode(raw + sizeof(T) * i);
    return out;
}

std::vector<Vec3> readVectors(EntryReader& r, int32_t count, const StructData& s, const char* what) {
    return readTable<Vec3>(r, count, s, what, vec3At);
}

void readFrames(EntryReader& r, const FoundChunk& list, DffClump& clump) {
    const FoundChunk fs = RequireChunk(r, kChunkStruct, list);
    const StructData s = dataOf(fs, list);
    need(r, 4, s, "frame count");
    const uint32_t count = r.u32le();
    if (count > (s.end - r.pos()) / kFrameBytes) need(r, uint64_t(count) * kFrameBytes, s, "frame table");
    const std::vector<uint8_t> bytes = r.read(size_t(count * kFrameBytes));
    clump.frames.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = bytes.data() + i * kFrameBytes;
        DffFrame& f = clump.frames[i];
        f.right = vec3At(p);
        f.up = vec3At(p + 12);
        f.at = vec3At(p + 24);
        f.position = vec3At(p + 36);
        f.parent = i32le(p + 48);
    }
    r.seek(s.end);
    // One Extension per frame; a file with fewer leaves the remaining frames unnamed.
    for (DffFrame& f : clump.frames) {
        const auto ext = FindChunkWithin(r, kChunkExtension, list.end);
        if (!ext) break;
        if (const auto name = FindChunkWithin(r, kChunkFrameName, ext->end)) {
            const std::vector<uint8_t> b = r.read(size_t(name->end - r.pos()));
            f.name.assign(b.begin(), b.end());
        }
        r.seek(ext->end);
    }
}

size_t texCoordSets(uint32_t flags) {
    if (const uint32_t n = (flags >> 16) & 0xFF) return n;
    if (flags & kGeometryTexCoordSets) return 2;
    return (flags & kGeometryTexCoords) ? 1 : 0;
}

uint32_t countBadTriangles(const DffGeometry& g) {
    uint32_t bad = 0;
    for (const auto& t : g.triangles)
        for (uint16_t i : {t[0], t[1], t[3]})
            if (int32_t(i) >= g.vertexCount) {
                ++bad;
                break;
            }
    return bad;
}

// San Andreas' night prelight: the Extra Vert Colour plugin of the geometry's Extension,
// u32 has-colours then 4 bytes per vertex. A look only: when damaged, there is none.
std::vector<std::array<uint8_t, 4>> readNightColours(EntryReader& r, uint64_t structEnd, uint64_t geometryEnd,
                                                     int32_t vertices) {
    std::vector<std::array<uint8_t, 4>> out;
    try {
        r.seek(structEnd);
        if (const auto list = FindChunkWithin(r, kChunkMaterialList, geometryEnd)) r.seek(list->end);
        const auto extension = FindChunkWithin(r, kChunkExtension, geometryEnd);
        if (!extension) return out;
        const auto night = FindChunkWithin(r, kChunkNightColours, extension->end);
        if (!night || vertices <= 0 || night->end - r.pos() < 4 || r.u32le() == 0) return out;
        if ((night->end - r.pos()) / 4 < uint64_t(vertices)) return out;
        const std::vector<uint8_t> b = r.read(size_t(vertices) * 4);
        out.resize(size_t(vertices));
        for (size_t i = 0; i < out.size(); ++i) out[i] = {b[4 * i], b[4 * i + 1], b[4 * i + 2], b[4 * i + 3]};
    } catch (const FileError&) {
        out.clear();
    }
    return out;
}

DffGeometry readGeometry(EntryReader& r, const FoundChunk& geometry) {
    const FoundChunk gs = RequireChunk(r, kChunkStruct, geometry);
    const StructData s = dataOf(gs, geometry);
    need(r, 16, s, "geometry header");
    DffGeometry g;
    g.flags = r.u32le();
    g.triangleCount = int32_t(r.u32le());
    g.vertexCount = int32_t(r.u32le());
    const int32_t morphTargets = int32_t(r.u32le());
    g.version = decodeRwVersion(gs.header.version);
    if (g.version < kLightingBlockUntil) {
        need(r, 12, s, "surface lighting");
        r.skip(12);
    }
    const int32_t vertices = g.vertexCount;
    if (!g.nativeData()) {
        if (g.flags & kGeometryColours)
            g.colours = readTable<std::array<uint8_t, 4>>(r, vertices, s, "vertex colour list", [](const uint8_t* p) {
                return std::array<uint8_t, 4>{p[0], p[1], p[2], p[3]};
            });
        const size_t sets = texCoordSets(g.flags);
        if (sets > 0) {
            g.texCoords = readTable<Vec2>(r, vertices, s, "texture coordinate list",
                                          [](const uint8_t* p) { return Vec2{f32le(p), f32le(p + 4)}; });
            for (size_t k = 1; k < sets; ++k) r.skip(tableBytes(r, vertices, 8, s, "texture coordinate list"));
        }
        g.triangles = readTable<std::array<uint16_t, 4>>(r, g.triangleCount, s, "triangle list", [](const uint8_t* p) {
            return std::array<uint16_t, 4>{u16le(p), u16le(p + 2), u16le(p + 4), u16le(p + 6)};
        });
        g.badTriangles = countBadTriangles(g);
    }
    if (morphTargets > 0) {
        need(r, 24, s, "morph target header");
        uint8_t b[24];
        r.read(b, sizeof b);
        g.sphere = {vec3At(b), f32le(b + 12)};
        const bool hasPositions = u32le(b + 16) != 0, hasNormals = u32le(b + 20) != 0;
        if (hasPositions) g.positions = readVectors(r, vertices, s, "position list");
        if (hasNormals) g.normals = readVectors(r, vertices, s, "normal list");
    }
    r.seek(s.end);
    g.materials = ReadMaterialList(r, geometry.end);
    if (!g.nativeData()) g.nightColours = readNightColours(r, s.end, geometry.end, vertices);
    return g;
}

void readGeometries(EntryReader& r, const FoundChunk& list, DffClump& clump) {
    const StructData s = dataOf(fixedStruct(r, list, 4, kChunkGeometry, clump), list);
    need(r, 4, s, "geometry count");
    const uint32_t count = r.u32le();
    r.seek(s.end);
    // The list's own count and its end both bound the search, so a clump with fewer
    // geometries than atomics never reads the atomics as geometries.
    for (uint32_t i = 0; i < count; ++i) {
        const auto geometry = FindChunkWithin(r, kChunkGeometry, list.end);
        if (!geometry) break;
        DffGeometry g = readGeometry(r, *geometry);
        clump.totalVertices += uint64_t(std::max(g.vertexCount, 0));
        clump.totalTriangles += uint64_t(std::max(g.triangleCount, 0)) - g.badTriangles;
        clump.badTriangles += g.badTriangles;
        if (g.sphere.radius > clump.largestRadius) clump.largestRadius = g.sphere.radius;
        clump.geometries.push_back(std::move(g));
        r.seek(geometry->end);
    }
}

void readClump(EntryReader& r, DffClump& clump) {
    const uint64_t from = r.pos();
    const auto found = FindChunkWithin(r, kChunkClump, r.size());
    if (!found) throwChunkError({kChunkClump, from}, "not found in the entry");
    const FoundChunk c = *found;
    // Files before 3.3 hold the atomic count alone; the light and camera counts are not needed.
    const FoundChunk cs = RequireChunk(r, kChunkStruct, c);
    const uint64_t fixed = decodeRwVersion(cs.header.version) >= kClumpCountsFrom ? 12 : 4;
    const StructData s = dataOf(repairFixedStruct(r, cs, c, fixed, kChunkFrameList, clump), c);
    need(r, 4, s, "atomic count");
    clump.atomicCount = r.u32le();
    r.seek(s.end);

    const FoundChunk frames = RequireChunk(r, kChunkFrameList, c);
    readFrames(r, frames, clump);
    r.seek(frames.end);

    const FoundChunk geometries = RequireChunk(r, kChunkGeometryList, c);
    readGeometries(r, geometries, clump);
    r.seek(geometries.end);

    for (uint32_t i = 0; i < clump.atomicCount; ++i) {
        const FoundChunk a = RequireChunk(r, kChunkAtomic, c);
        const StructData as = dataOf(fixedStruct(r, a, 16, 0, clump), a);
        need(r, 8, as, "frame and geometry indices");
        DffAtomic atomic;
        atomic.frame = int32_t(r.u32le());
        atomic.geometry = int32_t(r.u32le());
        clump.atomics.push_back(atomic);
        r.seek(a.end);
    }
}

}  // namespace

uint32_t decodeRwVersion(uint32_t stamp) {
    if (stamp >> 16) return (((stamp >> 14) & 0x3FF00) + 0x30000) | ((stamp >> 16) & 0x3F);
    return stamp << 8;
}

DffClump ReadDffClump(EntryReader& entry) {
    DffClump clump;
    try {
        entry.seek(0);
        readClump(entry, clump);
    } catch (const std::exception& e) {
        // Damaged content (FileError) or a table too large for memory: what was read stays.
        clump.error = e.what();
    }
    // Also for a clump cut short: the frames read place the parts read.
    clump.world = frameWorldMatrices(clump.frames);
    return clump;
}

}  // namespace varmelo
