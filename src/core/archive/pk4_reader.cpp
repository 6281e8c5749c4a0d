// Prey .pk4 archives: ZIP files, listed by walking their local file headers from byte 0.
//
// Local file header, 30 bytes, little-endian:
//   0  signature 50 4B 03 04     14  CRC-32
//   4  version needed            18  compressed size (the entry's Size)
//   6  flags                     22  uncompressed size
//   8  compression method        26  n, name length
//   10 time, 12 date             28  e, extra field length
// then n bytes of name (no terminator), e bytes of extra field, and the stored data, where
// Offset points. Nothing is decompressed: an entry is its stored bytes. The walk ends at the
// first header that is not a local one: the central directory follows the last entry's data.
//
// Flag bit 3 means the local header's sizes are zero and the real ones follow the data in a
// data descriptor (optionally signed 50 4B 07 08, then CRC, compressed and uncompressed size).
// For such an entry the compressed size is taken from the central directory, found through
// the End Of Central Directory record at the end of the file (signature 50 4B 05 06; entry
// count at 10, directory size at 12 and offset at 16, comment length at 20). A central header
// is 46 bytes: signature 50 4B 01 02, compressed size at 20, name, extra and comment lengths
// at 28, 30 and 32, local header offset at 42, then the three variable fields.
// Flag bit 11 marks a UTF-8 name; names are kept in Windows-1251.
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/archive/cstring_reader.h"
#include "core/archive/readers.h"
#include "core/io/buffered_reader.h"
#include "core/io/codepage.h"
#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr uint8_t kLocalSignature[4] = {0x50, 0x4B, 0x03, 0x04};
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kDescriptorSignature = 0x08074B50;
constexpr uint64_t kLocalHeaderSize = 30;
constexpr uint64_t kCentralHeaderSize = 46;
constexpr uint64_t kEndRecordSize = 22;
constexpr uint64_t kMaxCommentLength = 0xFFFF;
constexpr uint16_t kFlagDeferredSizes = 1u << 3;
constexpr uint16_t kFlagUtf8Name = 1u << 11;
constexpr const char* kBadCentralDirectory = "Invalid ZIP central directory";

[[noreturn]] void badCentralDirectory() { throw FormatError(kBadCentralDirectory); }

// Compressed sizes from the central directory, by local header offset.
class CentralSizes {
public:
    explicit CentralSizes(BufferedReader& in);
    uint32_t at(uint64_t localHeaderPos) const {
        auto it = std::lower_bound(sizeByOffset_.begin(), sizeByOffset_.end(), std::make_pair(localHeaderPos, uint64_t(0)));
        if (it == sizeByOffset_.end() || it->first != localHeaderPos) badCentralDirectory();
        return uint32_t(it->second);
    }

private:
    std::vector<std::pair<uint64_t, uint64_t>> sizeByOffset_;  // (local header offset, compressed size)
};

struct EndRecord {
    uint64_t count = 0;
    uint64_t dirSize = 0;
    uint64_t dirPos = 0;
};

// The end record is the last 22 bytes, or earlier by at most the 65535 bytes of a comment.
std::optional<EndRecord> findEndRecord(BufferedReader& in) {
    uint64_t size = in.size();
    if (size < kEndRecordSize) return std::nullopt;
    uint64_t tailLength = std::min(size, kEndRecordSize + kMaxCommentLength);
    uint64_t tailStart = size - tailLength;
    std::vector<uint8_t> tail(static_cast<size_t>(tailLength));
    in.seek(tailStart);
    in.read(tail.data(), tail.size());
    for (uint64_t i = tailLength - kEndRecordSize + 1; i-- > 0;) {
        const uint8_t* p = tail.data() + i;
        if (u32le(p) != kEndSignature || u16le(p + 20) > tailLength - kEndRecordSize - i) continue;
        EndRecord r{u16le(p + 10), u32le(p + 12), u32le(p + 16)};
        const uint64_t endPos = tailStart + i;
        if (r.dirPos > endPos || r.dirSize > endPos - r.dirPos) return std::nullopt;
        return r;
    }
    return std::nullopt;
}

CentralSizes::CentralSizes(BufferedReader& in) {
    const std::optional<EndRecord> end = findEndRecord(in);
    if (!end) badCentralDirectory();
    const uint64_t count = end->count, dirSize = end->dirSize, dirPos = end->dirPos;
    if (count > dirSize / kCentralHeaderSize) badCentralDirectory();

    sizeByOffset_.reserve(size_t(count));
    in.seek(dirPos);
    for (uint64_t k = 0; k < count; ++k) {
        uint64_t used = in.pos() - dirPos;
        if (kCentralHeaderSize > dirSize - used) badCentralDirectory();
        uint8_t h[kCentralHeaderSize];
        in.read(h, sizeof h);
        if (u32le(h) != kCentralSignature) badCentralDirectory();
        uint64_t variable = uint64_t(u16le(h + 28)) + u16le(h + 30) + u16le(h + 32);
        if (variable > dirSize - used - kCentralHeaderSize) badCentralDirectory();
        in.skip(variable);
        sizeByOffset_.emplace_back(u32le(h + 42), u32le(h + 20));
    }
    std::sort(sizeByOffset_.begin(), sizeByOffset_.end());
}

// A character that Windows-1251 has no byte for, or a byte that is not valid UTF-8, becomes '?'.
std::string utf8NameToCp1251(const std::string& s) {
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        auto c = uint8_t(s[i]);
        size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        bool whole = len != 0 && len <= s.size() - i;
        for (size_t k = 1; whole && k < len; ++k) whole = (uint8_t(s[i + k]) & 0xC0) == 0x80;
        if (!whole) {
            out += '?';
            ++i;
            continue;
        }
        auto one = utf8ToCp1251(s.substr(i, len));
        // An over-long zero would end the name early; it counts as unmappable.
        out += (one && one->size() == 1 && (*one)[0] != '\0') ? (*one)[0] : '?';
        i += len;
    }
    return out;
}

uint32_t offsetField(uint64_t pos) {
    if (pos > std::numeric_limits<uint32_t>::max()) throw FormatError("Entry offset beyond 4 GiB");
    return uint32_t(pos);
}

}  // namespace

std::optional<uint64_t> readPk4ListedCount(const std::string& path) {
    BinaryFile f = BinaryFile::openRead(path);
    BufferedReader in(f);
    const std::optional<EndRecord> end = findEndRecord(in);
    // 0xFFFF says the real count is in a ZIP64 record, which these archives never need.
    if (!end || end->count == 0xFFFF) return std::nullopt;
    return end->count;
}

void readPk4Directory(const std::string& path, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(path);
    BufferedReader in(f);
    std::optional<CentralSizes> central;  // read only when an entry needs it
    uint64_t headerPos = 0;
    while (headerPos < in.size()) {
        in.seek(headerPos);
        uint8_t h[kLocalHeaderSize];
        in.read(h, 4);
        if (std::memcmp(h, kLocalSignature, 4) != 0) break;
        in.read(h + 4, kLocalHeaderSize - 4);
        uint16_t flags = u16le(h + 6);
        uint32_t size = u32le(h + 18);
        uint16_t nameLength = u16le(h + 26);
        uint16_t extraLength = u16le(h + 28);
        std::string raw(nameLength, '\0');
        in.read(raw.data(), raw.size());
        raw.resize(strnlen(raw.c_str(), raw.size()));  // a zero byte ends the name
        if (flags & kFlagUtf8Name) raw = utf8NameToCp1251(raw);

        TEntryRec e;
        appendNameBytes(e.Name, raw.data(), raw.size());
        uint64_t dataPos = headerPos + kLocalHeaderSize + nameLength + extraLength;
        e.Offset = offsetField(dataPos);
        uint64_t next;
        if (flags & kFlagDeferredSizes) {
            if (!central) central.emplace(in);
            size = central->at(headerPos);
            uint64_t dataEnd = dataPos + size;
            in.seek(dataEnd);
            bool signedDescriptor = in.remaining() >= 4 && in.readU32le() == kDescriptorSignature;
            next = dataEnd + (signedDescriptor ? 16 : 12);
        } else {
            next = dataPos + size;
        }
        e.Size = size;
        out.push_back(std::move(e));
        headerPos = next;
    }
}

}  // namespace varmelo
