#pragma once
// The kinds of entry the program understands, one row each: how an entry is recognised (by
// its name's extension), what the user is told it is, what it holds - which decides how the
// preview shows it and what `varmelo-cli inspect` and `export` do with it - and, for a
// picture, its loader. A new format of a known content is a row; a new content is a row and
// a case in the preview, the inspection and the command line.
#include <span>
#include <string>
#include <string_view>

#include "core/io/entry_reader.h"
#include "core/texture/loaded_image.h"

namespace varmelo {

enum class EntryFormat : int { Unknown = 0, Txd, Dff, Ipl, Col, Dds, Tga };

// What an entry of a format holds.
enum class EntryContent {
    Nothing,            // nothing the program shows
    TextureDictionary,  // textures listed, shown and exported one by one or all at once
    Model,              // a 3D model, exported as OBJ or glTF
    Collision,          // collision shapes
    Placement,          // binary placement records, shown and saved as text
    Picture,            // one picture, exported whole
};

struct EntryFormatInfo {
    EntryFormat format;
    std::string_view name;         // "txd": the type `inspect` prints
    std::string_view displayName;  // "texture dictionary"
    // The name extensions that mark it, dot included, upper case: {".DDS", ".DTX"}.
    std::span<const std::string_view> extensions;
    EntryContent content;
    // A picture's loader and the header read that tells its size; null for other contents.
    LoadedImage (*loadPicture)(EntryReader& entry) = nullptr;
    PictureInfo (*readPictureInfo)(EntryReader& entry) = nullptr;
};

std::span<const EntryFormatInfo> entryFormats();
const EntryFormatInfo& formatInfo(EntryFormat f);
// The row an entry's name chooses by its extension (any case, from the last dot); the
// Unknown row when none does.
const EntryFormatInfo& entryFormatOf(const std::string& entryName);

}  // namespace varmelo
