// A model: the clump read, split into parts, each part's vertex list and bounds made, as the
// model preview draws it.
#include "core/model/dff_parts.h"
#include "core/model/dff_reader.h"
#include "core/view/mesh_vertices.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    fuzz::expectCleanErrors([&] {
        EntryReader entry{std::vector<uint8_t>(data, data + size)};
        const DffClump clump = ReadDffClump(entry);
        const auto parts = dffParts(clump);
        for (size_t i = 0; i < parts.size(); ++i) {
            (void)partVertices(clump, parts[i], i == 0);
            (void)partBounds(clump, parts[i]);
        }
    });
    return 0;
}
