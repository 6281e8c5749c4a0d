#pragma once
// RenderWare binary streams are a tree of chunks, each a 12-byte little-endian header
//   0  u32  chunk type
//   4  u32  body size in bytes (header not included); the body holds the chunk's children
//   8  u32  version stamp (not checked)
// followed by its body. Siblings follow one another; a chunk is stepped over whole by its size.
#include <cstdint>
#include <optional>

#include "core/preview/entry_reader.h"

namespace varmelo {

inline constexpr uint32_t kChunkStruct = 1;
inline constexpr uint32_t kChunkString = 2;
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

// A chunk found by a bounded search: its header and where its body ends.
struct FoundChunk {
    ChunkHeader header;
    uint64_t end = 0;
};

// Searches siblings from the reader's position up to `end` (the end of the parent chunk),
// leaving the reader at the found chunk's body. Not found: nothing, the reader at `end` or
// before it. The chunk searched for is cut to its parent's end when it claims more (a file
// cut short still shows what it holds, and fails where a read needs the missing bytes); a
// chunk to be stepped over that claims more ends the search with a read beyond the end.
std::optional<FoundChunk> FindChunkWithin(EntryReader& r, uint32_t type, uint64_t end);

}  // namespace varmelo
