#include "core/preview/entry_format.h"

#include <iterator>

#include "core/io/codepage.h"
#include "core/texture/dds_loader.h"
#include "core/texture/tga_loader.h"

namespace varmelo {

namespace {

constexpr std::string_view kTxd[] = {".TXD"};
constexpr std::string_view kDff[] = {".DFF"};
constexpr std::string_view kIpl[] = {".IPL"};
constexpr std::string_view kCol[] = {".COL"};
constexpr std::string_view kDds[] = {".DDS", ".DTX"};
constexpr std::string_view kTga[] = {".TGA"};

using enum EntryContent;

// In the order of the enum's values.
constexpr EntryFormatInfo kFormats[] = {
    {.format = EntryFormat::Unknown, .name = "unknown", .displayName = "unknown", .extensions = {}, .content = Nothing},
    {.format = EntryFormat::Txd, .name = "txd", .displayName = "texture dictionary", .extensions = kTxd,
     .content = TextureDictionary},
    {.format = EntryFormat::Dff, .name = "dff", .displayName = "model", .extensions = kDff, .content = Model},
    {.format = EntryFormat::Ipl, .name = "ipl", .displayName = "placement file", .extensions = kIpl,
     .content = Placement},
    {.format = EntryFormat::Col, .name = "col", .displayName = "collision file", .extensions = kCol,
     .content = Collision},
    {.format = EntryFormat::Dds, .name = "dds", .displayName = "DDS picture", .extensions = kDds, .content = Picture,
     .loadPicture = LoadDds, .readPictureInfo = ReadDdsInfo},
    {.format = EntryFormat::Tga, .name = "tga", .displayName = "TGA picture", .extensions = kTga, .content = Picture,
     .loadPicture = LoadTga, .readPictureInfo = ReadTgaInfo},
};

constexpr bool inValueOrder() {
    for (size_t i = 0; i < std::size(kFormats); ++i)
        if (size_t(kFormats[i].format) != i) return false;
    return true;
}
static_assert(inValueOrder(), "formatInfo() finds a row by its value");

}  // namespace

std::span<const EntryFormatInfo> entryFormats() { return kFormats; }

const EntryFormatInfo& formatInfo(EntryFormat f) { return kFormats[size_t(f)]; }

const EntryFormatInfo& entryFormatOf(const std::string& entryName) {
    const auto dot = entryName.find_last_of('.');
    if (dot == std::string::npos) return kFormats[0];
    const std::string ext = asciiUpper(entryName.substr(dot));
    for (const EntryFormatInfo& f : kFormats)
        for (std::string_view e : f.extensions)
            if (e == ext) return f;
    return kFormats[0];
}

}  // namespace varmelo
