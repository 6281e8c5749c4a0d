#include "core/model/dff_reader.h"

#include <algorithm>
#include <optional>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/preview/chunk.h"

namespace varmelo {

namespace {

constexpr uint32_t kChunkClump = 0x10;
constexpr uint32_t kChunkFrameList = 0x0E;
constexpr uint32_t kChunkGeometryList = 0x1A;
constexpr uint32_t kChunkGeometry = 0x0F;
constexpr uint32_t kChunkAtomic = 0x14;
constexpr uint32_t kChunkFrameName = 0x0253F2FE;
constexpr uint64_t kFrameBytes = 56;
constexpr uint32_t kLightingBlockUntil = 0x34000;

FoundChunk requireChunk(EntryReader& r, uint32_t type, uint64_t end) {
    if (auto f = FindChunkWithin(r, type, end)) return *f;
    throwReadBeyondEnd();
}

// Reads stay inside the chunk body ending at `end`, whatever the entry holds after it.
void need(const EntryReader& r, uint64_t bytes, uint64_t end) {
    if (r.pos() > end || bytes > end - r.pos()) throwReadBeyondEnd();
}

// Bytes for `count` items of `size` bytes, refused before any table is sized from a count
// that the chunk cannot hold.
uint64_t tableBytes(const EntryReader& r, int64_t count, uint64_t size, uint64_t end) {
    if (count < 0) throwReadBeyondEnd();
    const uint64_t bytes = uint64_t(count) * size;  // count < 2^31, size <= 56: no overflow
    need(r, bytes, end);
    return bytes;
}

Vec3 vec3At(const uint8_t* p) { return {f32le(p), f32le(p + 4), f32le(p + 8)}; }

std::vector<Vec3> readVectors(EntryReader& r, int32_t count, uint64_t end) {
    std::vector<uint8_t> bytes = r.read(size_t(tableBytes(r, count, 12, end)));
    std::vector<Vec3> out(static_cast<size_t>(count));
    for (size_t i = 0; i < out.size(); ++i) out[i] = vec3At(bytes.data() + 12 * i);
    return out;
}

void readFrames(EntryReader& r, uint64_t listEnd, DffClump& clump) {
    const FoundChunk s = requireChunk(r, kChunkStruct, listEnd);
    need(r, 4, s.end);
    const uint32_t count = r.u32le();
    if (count > (s.end - r.pos()) / kFrameBytes) throwReadBeyondEnd();
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
        const auto ext = FindChunkWithin(r, kChunkExtension, listEnd);
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

DffGeometry readGeometry(EntryReader& r, uint64_t geometryEnd) {
    const FoundChunk s = requireChunk(r, kChunkStruct, geometryEnd);
    const uint64_t end = s.end;
    need(r, 16, end);
    DffGeometry g;
    g.flags = r.u32le();
    g.triangleCount = int32_t(r.u32le());
    g.vertexCount = int32_t(r.u32le());
    const int32_t morphTargets = int32_t(r.u32le());
    g.version = decodeRwVersion(s.header.version);
    if (g.version < kLightingBlockUntil) {
        need(r, 12, end);
        r.skip(12);
    }
    const int32_t vertices = g.vertexCount;
    if (!g.nativeData()) {
        if (g.flags & kGeometryColours) {
            const std::vector<uint8_t> b = r.read(size_t(tableBytes(r, vertices, 4, end)));
            g.colours.resize(size_t(vertices));
            for (size_t i = 0; i < g.colours.size(); ++i) g.colours[i] = {b[4 * i], b[4 * i + 1], b[4 * i + 2], b[4 * i + 3]};
        }
        const size_t sets = texCoordSets(g.flags);
        if (sets > 0) {
            const std::vector<uint8_t> b = r.read(size_t(tableBytes(r, vertices, 8, end)));
            g.texCoords.resize(size_t(vertices));
            for (size_t i = 0; i < g.texCoords.size(); ++i)
                g.texCoords[i] = {f32le(b.data() + 8 * i), f32le(b.data() + 8 * i + 4)};
            for (size_t k = 1; k < sets; ++k) r.skip(tableBytes(r, vertices, 8, end));
        }
        const std::vector<uint8_t> b = r.read(size_t(tableBytes(r, g.triangleCount, 8, end)));
        g.triangles.resize(size_t(g.triangleCount));
        for (size_t i = 0; i < g.triangles.size(); ++i)
            for (size_t k = 0; k < 4; ++k) g.triangles[i][k] = u16le(b.data() + 8 * i + 2 * k);
    }
    if (morphTargets > 0) {
        need(r, 24, end);
        uint8_t b[24];
        r.read(b, sizeof b);
        g.sphere = {vec3At(b), f32le(b + 12)};
        const bool hasPositions = u32le(b + 16) != 0, hasNormals = u32le(b + 20) != 0;
        if (hasPositions) g.positions = readVectors(r, vertices, end);
        if (hasNormals) g.normals = readVectors(r, vertices, end);
    }
    r.seek(end);
    g.materials = ReadMaterialList(r, geometryEnd);
    return g;
}

void readGeometries(EntryReader& r, uint64_t listEnd, DffClump& clump) {
    const FoundChunk s = requireChunk(r, kChunkStruct, listEnd);
    need(r, 4, s.end);
    const uint32_t count = r.u32le();
    r.seek(s.end);
    // The list's own count and its end both bound the search, so a clump with fewer
    // geometries than atomics never reads the atomics as geometries.
    for (uint32_t i = 0; i < count; ++i) {
        const auto geometry = FindChunkWithin(r, kChunkGeometry, listEnd);
        if (!geometry) break;
        DffGeometry g = readGeometry(r, geometry->end);
        clump.totalVertices += uint64_t(std::max(g.vertexCount, 0));
        clump.totalTriangles += uint64_t(std::max(g.triangleCount, 0));
        if (g.sphere.radius > clump.largestRadius) clump.largestRadius = g.sphere.radius;
        clump.geometries.push_back(std::move(g));
        r.seek(geometry->end);
    }
}

void readClump(EntryReader& r, DffClump& clump) {
    const FoundChunk c = requireChunk(r, kChunkClump, r.size());
    const FoundChunk s = requireChunk(r, kChunkStruct, c.end);
    // Files before 3.3 hold the atomic count alone; the light and camera counts are not needed.
    need(r, 4, s.end);
    clump.atomicCount = r.u32le();
    r.seek(s.end);

    const FoundChunk frames = requireChunk(r, kChunkFrameList, c.end);
    readFrames(r, frames.end, clump);
    r.seek(frames.end);

    const FoundChunk geometries = requireChunk(r, kChunkGeometryList, c.end);
    readGeometries(r, geometries.end, clump);
    r.seek(geometries.end);

    for (uint32_t i = 0; i < clump.atomicCount; ++i) {
        const FoundChunk a = requireChunk(r, kChunkAtomic, c.end);
        const FoundChunk as = requireChunk(r, kChunkStruct, a.end);
        need(r, 8, as.end);
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
    } catch (const FileError& e) {
        clump.error = e.what();
    }
    return clump;
}

}  // namespace varmelo
