#include "core/texture/txd_reader.h"

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/preview/chunk.h"

namespace varmelo {

namespace {

constexpr size_t kFixedPart = 88;  // up to the palette or the level's size word
constexpr size_t kNameField = 32;

std::string fixedName(const uint8_t* p) {
    size_t n = 0;
    while (n < kNameField && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

TTexRec readTexture(EntryReader& r) {
    uint8_t b[kFixedPart];
    r.read(b, sizeof b);
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
    if (uint32_t pal = paletteBytes(t.Format)) t.Palette = r.read(pal);
    t.DataSize = r.u32le();
    t.DataOffset = r.pos();
    t.DataPos = r.origin() + t.DataOffset;
    return t;
}

}  // namespace

TxdTable ReadTextureTable(EntryReader& entry) {
    TxdTable table;
    try {
        SeekChunk(entry, kChunkTextureDictionary);
        SeekChunk(entry, kChunkStruct);
        table.announcedCount = entry.u16le();
        table.countRead = true;
        entry.u16le();  // device id
        for (uint32_t i = 0; i < table.announcedCount; ++i) {
            SeekChunk(entry, kChunkTextureNative);
            SeekChunk(entry, kChunkStruct);
            const uint64_t structHeader = entry.pos() - kChunkHeaderSize;
            table.textures.push_back(readTexture(entry));
            // The next search starts at this struct's header and steps over it and the
            // extension by their sizes, never over the pixels byte by byte.
            entry.seek(structHeader);
        }
    } catch (const FileError& e) {
        table.error = e.what();
    }
    return table;
}

}  // namespace varmelo
