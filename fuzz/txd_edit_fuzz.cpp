// A dictionary read for editing and written back: what was read must write back unchanged.
#include <cstdlib>

#include "core/texture/texture_dictionary.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    const std::vector<uint8_t> bytes(data, data + size);
    fuzz::expectCleanErrors([&] {
        const TextureDictionary d = TextureDictionary::read(bytes);
        const std::vector<uint8_t> again = d.write();
        if (TextureDictionary::read(again).write() != again) std::abort();
    });
    return 0;
}
