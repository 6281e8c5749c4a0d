#include "core/preview/chunk.h"

#include <algorithm>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

ChunkHeader readChunkHeader(EntryReader& r) {
    uint8_t b[kChunkHeaderSize];
    r.read(b, sizeof b);
    return {u32le(b), u32le(b + 4), u32le(b + 8)};
}

ChunkHeader SeekChunk(EntryReader& r, uint32_t wantedType) {
    for (;;) {
        ChunkHeader h = readChunkHeader(r);
        if (h.type == wantedType) return h;
        // skip() refuses a size beyond the entry's end, which ends the search there.
        r.skip(h.size);
    }
}

std::optional<FoundChunk> FindChunkWithin(EntryReader& r, uint32_t type, uint64_t end) {
    while (end > r.pos() && end - r.pos() >= kChunkHeaderSize) {
        const ChunkHeader h = readChunkHeader(r);
        const uint64_t left = end - r.pos();
        if (h.type == type) return FoundChunk{h, r.pos() + std::min<uint64_t>(h.size, left)};
        if (h.size > left) throwReadBeyondEnd();
        r.skip(h.size);
    }
    return std::nullopt;
}

}  // namespace varmelo
