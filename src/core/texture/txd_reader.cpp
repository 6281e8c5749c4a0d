#include "core/texture/txd_reader.h"

#include <algorithm>
#include <utility>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/rw/chunk.h"

namespace varmelo {

namespace {

constexpr size_t kFixedPart = 88;  // up to the palette or the level's size word
constexpr size_t kNameField = 32;
constexpr size_t kNamesEnd = 72;  // platform, flags, name and mask name
constexpr size_t kSizeWord = 4;
// A texture's struct header, fixed part and (unless a palette comes between) level size word:
// what one read takes in.
constexpr size_t kTextureHead = kChunkHeaderSize + kFixedPart + kSizeWord;

std::string fixedName(const uint8_t* p) {
    size_t n = 0;
    while (n < kNameField && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

TTexRec fixedFields(const uint8_t* b) {
    TTexRec t;
    t.Platform = u32le(b);
    t.Name = fixedName(b + 8);
    t.MaskName = fixedName(b + 40);
    t.RasterFormat = u32le(b + 72);
    t.AlphaWord = u32le(b + 76);
    t.Width = u16le(b + 80);
    t.Height = u16le(b + 82);
    t.Depth = b[84];
    t.MipLevels = b[85];
    t.RasterType = b[86];
    t.Compression = b[87];
    t.Format = formatFromHeader(t.Platform, t.RasterFormat, t.AlphaWord, t.Compression);
    t.HasAlpha = t.Platform == kPlatformD3D9 ? (t.Compression & 1) != 0 : t.AlphaWord == 1;
    return t;
}

// The rest of a texture after its fixed part, with the reader just past it: the palette, if
// any, and the first level's size word.
void readAfterFixedPart(EntryReader& r, TTexRec& t) {
    if (uint32_t pal = paletteBytes(t.Format)) t.Palette = r.read(pal);
    t.DataSize = r.u32le();
    t.DataOffset = r.pos();
    t.DataPos = r.origin() + t.DataOffset;
}

// The text of the string chunk at the reader's position, with the reader past it; empty, the
// reader somewhere after the position, when no whole string chunk is there.
std::string stringChunk(EntryReader& r) {
    if (r.remaining() < kChunkHeaderSize) return {};
    const ChunkHeader h = readChunkHeader(r);
    if (h.type != kChunkString || h.size > r.remaining()) return {};
    const uint64_t end = r.pos() + h.size;
    uint8_t text[kNameField] = {};
    r.read(text, std::min<size_t>(h.size, kNameField));
    r.seek(end);
    return fixedName(text);
}

// A raster of another platform is laid out its own way after the platform word, so only its
// names are taken: from the struct where it is long enough to hold them at the Direct3D
// places (Xbox), else from the two string chunks after it (PS2). Its sizes are not read: nothing
// locates its pixels, and it is never decoded.
TTexRec otherPlatformTexture(EntryReader& r, uint32_t platform, uint64_t structBody, uint32_t structSize) {
    TTexRec t;
    t.Platform = platform;
    t.Format = TexFormat::OtherPlatform;
    r.seek(structBody);
    if (structSize >= kNamesEnd) {
        uint8_t head[kNamesEnd];
        r.read(head, sizeof head);
        t.Name = fixedName(head + 8);
        t.MaskName = fixedName(head + 40);
    } else {
        r.skip(structSize);
        t.Name = stringChunk(r);
        t.MaskName = stringChunk(r);
    }
    return t;
}

// A texture and the struct chunk it was read from.
struct ReadTexture {
    TTexRec texture;
    uint64_t structBody = 0;
    uint32_t structSize = 0;
};

// Reads the texture whose native chunk's body starts at the reader's position.
ReadTexture readTexture(EntryReader& r) {
    const uint64_t body = r.pos();
    ReadTexture out;
    TTexRec& t = out.texture;
    uint8_t head[kTextureHead] = {};
    ChunkHeader s;
    if (r.remaining() >= sizeof head) {
        r.read(head, sizeof head);
        s = {u32le(head), u32le(head + 4), u32le(head + 8)};
    }
    if (s.type == kChunkStruct && isDirect3D(u32le(head + kChunkHeaderSize))) {
        out.structBody = body + kChunkHeaderSize;
        t = fixedFields(head + kChunkHeaderSize);
        if (paletteBytes(t.Format) == 0) {
            t.DataSize = u32le(head + kChunkHeaderSize + kFixedPart);
            t.DataOffset = r.pos();
            t.DataPos = r.origin() + t.DataOffset;
        } else {
            r.seek(out.structBody + kFixedPart);
            readAfterFixedPart(r, t);
        }
    } else {
        // The struct is not the first child, the entry ends within the texture's head, or the
        // raster is of another platform: piece by piece, which also finds where exactly it ends.
        r.seek(body);
        s = SeekChunk(r, kChunkStruct);
        out.structBody = r.pos();
        out.structSize = s.size;
        if (const uint32_t platform = r.u32le(); !isDirect3D(platform)) {
            t = otherPlatformTexture(r, platform, out.structBody, s.size);
            return out;
        }
        r.seek(out.structBody);
        uint8_t fixed[kFixedPart];
        r.read(fixed, sizeof fixed);
        t = fixedFields(fixed);
        readAfterFixedPart(r, t);
    }
    out.structSize = s.size;
    return out;
}

}  // namespace

TxdTable ReadTextureTable(EntryReader& entry) {
    TxdTable table;
    ReadTexture read;
    // The chunk being read, for a message that says where the dictionary is damaged.
    ChunkPlace current{kChunkTextureDictionary, entry.pos()};
    try {
        SeekChunk(entry, kChunkTextureDictionary);
        current.offset = entry.pos() - kChunkHeaderSize;
        SeekChunk(entry, kChunkStruct);
        table.announcedCount = entry.u16le();
        table.countRead = true;
        entry.u16le();  // device id
        for (uint32_t i = 0; i < table.announcedCount; ++i) {
            if (i > 0) {
                // The search for the next texture starts past the last one's struct and steps
                // over the extension by its size, never over the pixels byte by byte.
                entry.seek(read.structBody);
                entry.skip(read.structSize);
            }
            SeekChunk(entry, kChunkTextureNative);
            current = {kChunkTextureNative, entry.pos() - kChunkHeaderSize};
            read = readTexture(entry);
            table.textures.push_back(std::move(read.texture));
        }
    } catch (const FileError& e) {
        table.error = e.what();
        // A plain read past the end happened inside the chunk being read: say which.
        if (table.error == kReadBeyondEnd) table.error = chunkErrorText(current, "runs past the end of the entry");
    }
    return table;
}

}  // namespace varmelo
