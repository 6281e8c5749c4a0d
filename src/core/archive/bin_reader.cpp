// «Братва и Кольцо» .bin archives: a chunked file.
//
// "DBLD" and 8 bytes not used, then chunks back to back from byte 12. A chunk is L (u32 LE,
// its length counted from the tag, so 4 + payload length), a four-character tag, and L - 4
// bytes of payload; the next chunk starts 4 + L bytes after this one. A zero first tag byte
// reads as a blank, giving the tags " TEX", " NAV" and " END". Each " TEX" or " NAV" chunk
// holds one entry:
//   0       4       n, the name's length
//   4       4*⌈n/4⌉ the name in groups of four bytes; a zero byte ends its group's characters
//   ...     40      a block whose first u32 LE is the entry's size
//   ...     size    the entry's data
// Other chunks are skipped; " END" ends the directory.
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/archive/cstring_reader.h"
#include "core/archive/readers.h"
#include "core/io/buffered_reader.h"
#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

constexpr uint64_t kHeaderSize = 12;
constexpr uint64_t kInfoBlockSize = 40;
constexpr uint64_t kMinChunkLength = 4;  // the tag itself

std::string readGroupedName(BufferedReader& in) {
    uint32_t n = in.readU32le();
    uint64_t groupBytes = (uint64_t(n) + 3) / 4 * 4;
    if (groupBytes > in.remaining()) throwReadBeyondEnd();
    std::string name;
    uint64_t left = n;
    while (left > 0) {
        if (name.size() >= kMaxNameLength) {
            // Nothing more can be kept; step over the rest of the groups at once.
            in.skip((left + 3) / 4 * 4);
            break;
        }
        char group[4];
        in.read(group, 4);
        size_t take = left >= 4 ? 4 : size_t(left);
        left -= take;
        appendNameBytes(name, group, strnlen(group, take));
    }
    return name;
}

}  // namespace

void readBinDirectory(const std::string& path, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(path);
    BufferedReader in(f);
    in.seek(kHeaderSize);
    for (;;) {
        uint8_t head[8];
        in.read(head, sizeof head);
        uint32_t length = u32le(head);
        char tag[4] = {char(head[4]), char(head[5]), char(head[6]), char(head[7])};
        if (tag[0] == '\0') tag[0] = ' ';
        uint64_t payloadStart = in.pos();
        if (std::memcmp(tag, " TEX", 4) == 0 || std::memcmp(tag, " NAV", 4) == 0) {
            TEntryRec e;
            e.Name = readGroupedName(in);
            uint8_t info[kInfoBlockSize];
            in.read(info, sizeof info);
            if (in.pos() > std::numeric_limits<uint32_t>::max()) throw FormatError("Entry offset beyond 4 GiB");
            e.Offset = uint32_t(in.pos());
            e.Size = u32le(info);
            out.push_back(std::move(e));
        }
        if (std::memcmp(tag, " END", 4) == 0) return;
        // A length that does not even cover the tag would put the next chunk inside this one's
        // head; the walk must always move forward.
        if (length < kMinChunkLength) throwReadBeyondEnd();
        in.seek(payloadStart + length - kMinChunkLength);
    }
}

}  // namespace varmelo
