// A collision file: the record list, then each record read and turned into its mesh, as the
// collision preview does.
#include <algorithm>

#include "core/model/col_reader.h"
#include "core/view/mesh_vertices.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    fuzz::expectCleanErrors([&] {
        EntryReader entry{std::vector<uint8_t>(data, data + size)};
        const ColScan scan = ScanColRecords(entry);
        const size_t shown = std::min<size_t>(scan.records.size(), 16);
        for (size_t i = 0; i < shown; ++i) {
            const ColRecord r = ReadColRecord(entry, scan.records[i].offset);
            (void)colVertexCount(r);
            (void)collisionMeshVertices(r);
        }
    });
    return 0;
}
