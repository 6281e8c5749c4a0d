#pragma once
// RenderWare binary streams are a tree of chunks, each a 12-byte little-endian header
//   0  u32  chunk type
//   4  u32  body size in bytes (header not included); the body holds the chunk's children
//   8  u32  version stamp (not checked)
// followed by its body. Siblings follow one another; a chunk is stepped over whole by its size.
#include <cstdint>
#include <optional>
#include <string>

#include "core/io/entry_reader.h"

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

// The name messages give a chunk type: "Geometry", "Texture Native", "chunk 0x0253F2F9".
std::string chunkName(uint32_t type);

// A chunk as messages point at it: its type and the entry offset of its header.
struct ChunkPlace {
    uint32_t type = 0;
    uint64_t offset = 0;
};

// "Geometry at 0x1A2C: triangle list runs past the chunk".
std::string chunkErrorText(ChunkPlace where, const std::string& detail);
// The same thrown as a FileError, like every other failure of reading damaged content, so
// callers keep what was read before it.
[[noreturn]] void throwChunkError(ChunkPlace where, const std::string& detail);

// From the reader's position, reads chunk headers and steps over every chunk of another type
// until one of the wanted type is found; returns its header with the reader at the first byte
// of its body. Used both to step into a chunk (its first child of the type) and across
// siblings. Throws "Read beyond end of file" when the entry ends first, also when a chunk
// claims more bytes than the entry has left; every step moves forward by at least a header.
// Its failures name the chunk that ran past the end, or the type that was not found.
ChunkHeader SeekChunk(EntryReader& r, uint32_t wantedType);

// A chunk found by a bounded search: its header and where its body ends.
struct FoundChunk {
    ChunkHeader header;
    uint64_t offset = 0;  // of the header
    uint64_t end = 0;

    uint64_t body() const { return offset + kChunkHeaderSize; }
    ChunkPlace place() const { return {header.type, offset}; }
    // The body runs past the parent, and `end` was cut to the parent's end.
    bool cut() const { return header.size > end - body(); }
};

// Searches siblings from the reader's position up to `end` (the end of the parent chunk),
// leaving the reader at the found chunk's body. Not found: nothing, the reader at `end` or
// before it. The chunk searched for is cut to its parent's end when it claims more (a file
// cut short still shows what it holds, and fails where a read needs the missing bytes); a
// chunk to be stepped over that claims more ends the search with an error naming it.
std::optional<FoundChunk> FindChunkWithin(EntryReader& r, uint32_t type, uint64_t end);

// The same among the children of `parent`, when the chunk must be there: not found, the
// error names the parent, and says it was cut short when it claims more than the entry has.
FoundChunk RequireChunk(EntryReader& r, uint32_t type, const FoundChunk& parent);

// Refuses a read of `bytes` from the reader's position that would pass `end`, naming the
// chunk whose data it is: "<chunk> at 0x..: <what> runs past the chunk".
void NeedWithin(const EntryReader& r, uint64_t bytes, uint64_t end, ChunkPlace where, const char* what);

}  // namespace varmelo
