#include "core/texture/picture_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/endian.h"
#include "core/io/entry_reader.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "core/texture/dds_loader.h"
#include "core/texture/picture_readers.h"
#include "core/texture/tga_loader.h"

namespace varmelo {

namespace {

bool startsWith(std::span<const uint8_t> b, const char* magic, size_t n) {
    return b.size() >= n && std::memcmp(b.data(), magic, n) == 0;
}

}  // namespace

LoadedImage DecodePicture(std::span<const uint8_t> bytes, const std::string& name) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return DecodePng(bytes);
    if (startsWith(bytes, "\xFF\xD8\xFF", 3)) return DecodeJpeg(bytes);
    if (startsWith(bytes, "BM", 2)) return DecodeBmp(bytes);
    if (startsWith(bytes, "DDS ", 4)) {
        EntryReader r(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return LoadDds(r);
    }
    if (asciiLower(extensionOf(name)) == ".tga") {
        EntryReader r(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return LoadTga(r);
    }
    throw FormatError("not a picture this program reads (PNG, JPEG, BMP, TGA, DDS)");
}

LoadedImage LoadPictureFile(const std::string& path, int* mipmapLevels) {
    BinaryFile f = BinaryFile::openRead(path);
    const uint64_t size = f.size();
    if (size > kMaxPictureFileBytes) throw FormatError("the file is too large for a picture");
    const std::vector<uint8_t> bytes = f.readExact(size_t(size));
    f.close();
    LoadedImage picture = DecodePicture(bytes, fileNameOf(path));
    if (mipmapLevels) {
        // The count at byte 28 counts only when the header's flags say so (0x20000).
        const bool dds = startsWith(bytes, "DDS ", 4) && bytes.size() >= 32 && (u32le(&bytes[8]) & 0x20000) != 0;
        *mipmapLevels = dds ? int(std::min<uint32_t>(u32le(&bytes[28]), 16)) : 1;
        if (*mipmapLevels < 1) *mipmapLevels = 1;
    }
    return picture;
}

}  // namespace varmelo
