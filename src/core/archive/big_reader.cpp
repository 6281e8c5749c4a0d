// Harry Potter and the Goblet of Fire .big archives. Their directory is big-endian.
//
// "BIGF", 8 bytes not used, then H (u32 BE) at byte 12: the directory runs from byte 16 up to
// byte H - 8. Each record is the entry's data offset (u32 BE, bytes from the start of the
// file), its size (u32 BE, bytes) and its NUL-terminated name.
#include <cstdint>

#include "core/archive/cstring_reader.h"
#include "core/archive/readers.h"
#include "core/io/buffered_reader.h"

namespace varmelo {

void readBigDirectory(const std::string& path, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(path);
    BufferedReader in(f);
    in.seek(12);
    uint32_t h = in.readU32be();
    // An H below 8 would put the end before the start; it lists nothing rather than wrapping
    // round to a directory that runs to the end of the file.
    uint64_t dirEnd = h >= 8 ? uint64_t(h) - 8 : 0;
    while (in.pos() < dirEnd) {
        TEntryRec e;
        e.Offset = in.readU32be();
        e.Size = in.readU32be();
        e.Name = ReadCString(in);
        out.push_back(std::move(e));
    }
}

}  // namespace varmelo
