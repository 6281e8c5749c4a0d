#include "core/preview/chunk.h"

#include "core/io/endian.h"

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

}  // namespace varmelo
