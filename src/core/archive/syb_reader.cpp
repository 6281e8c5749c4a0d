// Syberia 2 .syb archives.
//
// "VXBG", then D, a u32 LE: the directory's length in bytes, which runs from byte 8 to 8 + D.
// Each directory record is a NUL-terminated name followed by the entry's size (u32 LE). No
// record holds an offset: the data of the entries lies back to back from byte 8 + D on, in
// directory order, so each entry starts where the one before it ends.
#include <cstdint>
#include <limits>

#include "core/archive/cstring_reader.h"
#include "core/archive/readers.h"
#include "core/io/buffered_reader.h"
#include "core/io/errors.h"

namespace varmelo {

void readSybDirectory(const std::string& path, TRecArray& out) {
    out.clear();
    BinaryFile f = BinaryFile::openRead(path);
    BufferedReader in(f);
    in.seek(4);
    uint64_t dirEnd = uint64_t(in.readU32le()) + 8;
    uint64_t nextData = dirEnd;
    // A stated end beyond the file is not checked up front: the walk lists every record the
    // file holds and then fails on the first one cut short.
    while (in.pos() < dirEnd) {
        // Sizes are summed, so a run of large ones can push a start past what Offset holds;
        // wrapping it would point the entry at some other entry's bytes.
        if (nextData > std::numeric_limits<uint32_t>::max())
            throw FormatError("Entry offset beyond 4 GiB");
        TEntryRec e;
        e.Name = ReadCString(in);
        e.Size = in.readU32le();
        e.Offset = uint32_t(nextData);
        nextData += e.Size;
        out.push_back(std::move(e));
    }
}

}  // namespace varmelo
