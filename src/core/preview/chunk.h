#pragma once
// RenderWare binary streams are a tree of chunks, each a 12-byte little-endian header
//   0  u32  chunk type
//   4  u32  body size in bytes (header not included); the body holds the chunk's children
//   8  u32  version stamp (not checked)
// followed by its body. Siblings follow one another; a chunk is stepped over whole by its size.
#include <cstdint>

#include "core/preview/entry_reader.h"

namespace varmelo {

inline constexpr uint32_t kChunkStruct = 1;
inline constexpr uint32_t kChunkExtension = 3;
inline constexpr uint32_t kChunkTextureNative = 21;
inline constexpr uint32_t kChunkTextureDictionary = 22;
inline constexpr uint64_t kChunkHeaderSize = 12;

struct ChunkHeader {
    uint32_t type = 0;
    uint32_t size = 0;
    uint32_t version = 0;
};

ChunkHeader readChunkHeader(EntryReader& r);

// From the reader's position, reads chunk headers and steps over every chunk of another type
// until one of the wanted type is found; returns its header with the reader at the first byte
// of its body. Used both to step into a chunk (its first child of the type) and across
// siblings. Throws "Read beyond end of file" when the entry ends first, also when a chunk
// claims more bytes than the entry has left; every step moves forward by at least a header.
ChunkHeader SeekChunk(EntryReader& r, uint32_t wantedType);

}  // namespace varmelo
