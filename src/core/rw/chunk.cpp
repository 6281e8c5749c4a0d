#include "core/rw/chunk.h"

#include <algorithm>
#include <cstdio>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

ChunkHeader readChunkHeader(EntryReader& r) {
    uint8_t b[kChunkHeaderSize];
    r.read(b, sizeof b);
    return {u32le(b), u32le(b + 4), u32le(b + 8)};
}

std::string chunkName(uint32_t type) {
    switch (type) {
    case 0x01: return "Struct";
    case 0x02: return "String";
    case 0x03: return "Extension";
    case 0x06: return "Texture";
    case 0x07: return "Material";
    case 0x08: return "Material List";
    case 0x0E: return "Frame List";
    case 0x0F: return "Geometry";
    case 0x10: return "Clump";
    case 0x14: return "Atomic";
    case 0x15: return "Texture Native";
    case 0x16: return "Texture Dictionary";
    case 0x1A: return "Geometry List";
    case 0x0120: return "Material Effects";
    case 0x050E: return "Bin Mesh";
    case 0x0253F2F9: return "Night Colours";
    case 0x0253F2FE: return "Frame Name";
    default: break;
    }
    char text[24];
    std::snprintf(text, sizeof text, "chunk 0x%X", type);
    return text;
}

std::string chunkErrorText(ChunkPlace where, const std::string& detail) {
    char at[32];
    std::snprintf(at, sizeof at, " at 0x%llX: ", static_cast<unsigned long long>(where.offset));
    return chunkName(where.type) + at + detail;
}

void throwChunkError(ChunkPlace where, const std::string& detail) { throw FileError(chunkErrorText(where, detail)); }

ChunkHeader SeekChunk(EntryReader& r, uint32_t wantedType) {
    for (;;) {
        if (r.remaining() < kChunkHeaderSize)
            throwChunkError({wantedType, r.pos()}, "not found before the end of the entry");
        const uint64_t offset = r.pos();
        ChunkHeader h = readChunkHeader(r);
        if (h.type == wantedType) return h;
        if (h.size > r.remaining()) throwChunkError({h.type, offset}, "runs past the end of the entry");
        r.skip(h.size);
    }
}

std::optional<FoundChunk> FindChunkWithin(EntryReader& r, uint32_t type, uint64_t end) {
    while (end > r.pos() && end - r.pos() >= kChunkHeaderSize) {
        const uint64_t offset = r.pos();
        const ChunkHeader h = readChunkHeader(r);
        const uint64_t left = end - r.pos();
        if (h.type == type) return FoundChunk{h, offset, r.pos() + std::min<uint64_t>(h.size, left)};
        if (h.size > left) throwChunkError({h.type, offset}, "runs past its parent");
        r.skip(h.size);
    }
    return std::nullopt;
}

FoundChunk RequireChunk(EntryReader& r, uint32_t type, const FoundChunk& parent) {
    if (auto f = FindChunkWithin(r, type, parent.end)) return *f;
    throwChunkError(parent.place(), (parent.cut() ? "cut short before its " : "no ") + chunkName(type) +
                                        (parent.cut() ? "" : " inside"));
}

void NeedWithin(const EntryReader& r, uint64_t bytes, uint64_t end, ChunkPlace where, const char* what) {
    if (r.pos() > end || bytes > end - r.pos()) throwChunkError(where, std::string(what) + " runs past the chunk");
}

}  // namespace varmelo
