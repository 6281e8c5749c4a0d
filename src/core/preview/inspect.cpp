#include "core/preview/inspect.h"

#include <utility>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/model/ipl_binary.h"
#include "core/texture/bmp_writer.h"
#include "core/texture/png_writer.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"

namespace varmelo {

namespace {

TextureMode textureMode(ExportMode m) {
    switch (m) {
    case ExportMode::Alpha: return TextureMode::AlphaMask;
    case ExportMode::Checker: return TextureMode::Checker;
    case ExportMode::Rgba:
    case ExportMode::Rgb: break;
    }
    return TextureMode::Colour;
}

Image render(TexelImage&& texels, ExportMode mode) {
    Image img = RenderTexelsInPlace(std::move(texels), textureMode(mode));
    if (mode == ExportMode::Rgb)
        for (size_t i = 3; i < img.bgra.size(); i += 4) img.bgra[i] = 255;
    return img;
}

}  // namespace

TextureInfo textureInfo(const TTexRec& t) {
    std::string format = headerFormatName(t.Platform, t.RasterFormat, t.AlphaWord, t.Compression);
    return {t.Name, t.MaskName, t.Width, t.Height, t.Depth, t.HasAlpha, std::move(format), t.DataSize};
}

EntryInspection InspectEntry(EntryReader& entry, const std::string& entryName) {
    EntryInspection out;
    const EntryFormatInfo& format = entryFormatOf(entryName);
    out.format = format.format;
    try {
        switch (format.content) {
        case EntryContent::TextureDictionary: {
            entry.seek(0);
            TxdTable table = ReadTextureTable(entry);
            out.textureCount = table.announcedCount;
            for (const auto& t : table.textures) out.textures.push_back(textureInfo(t));
            out.error = table.error;
            break;
        }
        case EntryContent::Picture: {
            // The header says what is asked; decoding a 16384 x 16384 picture to print its
            // size would cost a gigabyte.
            const PictureInfo info = format.readPictureInfo(entry);
            out.width = info.width;
            out.height = info.height;
            out.hasAlpha = info.hasAlpha;
            break;
        }
        case EntryContent::Placement: {
            IplConversion ipl = ConvertBinaryIpl(entry, entryName);
            out.binaryIpl = ipl.binary;
            out.lines = std::move(ipl.lines);
            out.error = ipl.error;
            break;
        }
        case EntryContent::Nothing:
        case EntryContent::Model:
        case EntryContent::Collision: break;
        }
    } catch (const std::runtime_error& e) {
        // FileError and FormatError; a bad entry is reported, not fatal.
        out.error = e.what();
    }
    return out;
}

std::optional<ExportMode> parseExportMode(std::string_view s) {
    if (s == "rgba") return ExportMode::Rgba;
    if (s == "rgb") return ExportMode::Rgb;
    if (s == "alpha") return ExportMode::Alpha;
    if (s == "checker") return ExportMode::Checker;
    return std::nullopt;
}

const char* exportModeName(ExportMode m) {
    switch (m) {
    case ExportMode::Rgba: return "rgba";
    case ExportMode::Rgb: return "rgb";
    case ExportMode::Alpha: return "alpha";
    case ExportMode::Checker: return "checker";
    }
    return "";
}

TxdTable ReadDictionary(EntryReader& entry) {
    entry.seek(0);
    return ReadTextureTable(entry);
}

Image ExportTexture(EntryReader& entry, const TTexRec& t, ExportMode mode) {
    TexelImage texels;
    const DecodeStatus s = DecodeTexels(entry, t, texels);
    if (s != DecodeStatus::Ok) throw FormatError(decodeMessage(t, s));
    return render(std::move(texels), mode);
}

Image ExportPicture(EntryReader& entry, const std::string& entryName, int index, ExportMode mode) {
    const EntryFormatInfo& format = entryFormatOf(entryName);
    if (format.content == EntryContent::TextureDictionary) {
        TxdTable table = ReadDictionary(entry);
        if (index < 0 || size_t(index) >= table.textures.size()) {
            if (!table.error.empty() && index >= 0 && index < int(table.announcedCount))
                throw FileError(table.error);
            throw UsageError("No texture " + std::to_string(index) + " in " + entryName);
        }
        return ExportTexture(entry, table.textures[size_t(index)], mode);
    }
    if (format.content == EntryContent::Picture) {
        TexelImage texels;
        texels.image = std::move(format.loadPicture(entry).image);
        if (texels.image.empty()) return {};
        return render(std::move(texels), mode);
    }
    throw UsageError("No picture in " + entryName);
}

void SavePicture(const std::string& path, const Image& img, bool withAlpha, PictureTarget target) {
    const auto dot = path.find_last_of("./");
    const bool png = dot != std::string::npos && path[dot] == '.' && asciiUpper(path.substr(dot)) == ".PNG";
    if (png && img.empty()) throw FormatError("Cannot write an empty picture as PNG");
    BinaryFile f = target == PictureTarget::InFolder ? BinaryFile::createPlain(path) : BinaryFile::create(path);
    if (png) WritePng(f, img, withAlpha);
    else WriteBmp(f, img, withAlpha ? BmpDepth::Argb32 : BmpDepth::Rgb24);
}

}  // namespace varmelo
