#pragma once
// What an entry holds for the previews and the command line: its format by extension, the
// textures of a dictionary, the size of a DDS/TGA picture, the text of a binary IPL; and
// the export of one picture at full size.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive/archive.h"
#include "core/archive/open_entry.h"
#include "core/io/entry_reader.h"
#include "core/preview/entry_format.h"
#include "core/texture/image.h"
#include "core/texture/texture_record.h"
#include "core/texture/txd_reader.h"

namespace varmelo {

struct TextureInfo {
    std::string name;
    std::string mask;
    int width = 0;
    int height = 0;
    int depth = 0;
    bool hasAlpha = false;
    std::string format;  // headerFormatName(): "DXT1", ..., "PS2", "D3D format 0x...", "unknown"
    uint32_t dataSize = 0;
};

TextureInfo textureInfo(const TTexRec& t);

struct EntryInspection {
    EntryFormat format = EntryFormat::Unknown;
    // TXD
    int textureCount = 0;  // as the dictionary states it
    std::vector<TextureInfo> textures;
    // DDS, TGA
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    // IPL
    bool binaryIpl = false;
    std::vector<std::string> lines;
    // The failure that cut reading short (file or format error text); what was read stays.
    std::string error;
};

// Reads what the entry's format holds from the entry's first byte, as its content says;
// models, collision files and unknown formats give the format alone. Never throws for bad content: failures land in `error`.
EntryInspection InspectEntry(EntryReader& entry, const std::string& entryName);

enum class ExportMode {
    Rgba,     // colour with its alpha
    Rgb,      // colour, opaque
    Alpha,    // the alpha mask as grey
    Checker,  // colour over the grey and white checkerboard, opaque
};

// "rgba", "rgb", "alpha", "checker".
std::optional<ExportMode> parseExportMode(std::string_view s);
const char* exportModeName(ExportMode m);

// The picture of texture `index` of a dictionary entry, or of a DDS/TGA entry (index
// ignored), at full size. Throws UsageError for an entry of another content or an index out of
// range, FormatError for a texture that cannot be decoded (with the decoder's text) or a
// picture the loader refuses, FileError for read failures.
Image ExportPicture(EntryReader& entry, const std::string& entryName, int index, ExportMode mode);

// A dictionary's texture table, read once for exporting its textures one by one.
TxdTable ReadDictionary(EntryReader& entry);
// One texture of that table at full size (FormatError with the decoder's text when it cannot be decoded).
Image ExportTexture(EntryReader& entry, const TTexRec& t, ExportMode mode);

enum class PictureTarget {
    Named,     // a path the user gave: created or overwritten as it stands
    InFolder,  // a file made inside a folder the user gave: nothing but a plain file is replaced
};

// Saves by the file name's extension: ".png" (any case) as PNG, anything else as BMP; with
// alpha (32-bit BMP, RGBA PNG) or without (24-bit BMP, RGB PNG). Rows are written as they are
// encoded.
void SavePicture(const std::string& path, const Image& img, bool withAlpha,
                 PictureTarget target = PictureTarget::Named);

}  // namespace varmelo
