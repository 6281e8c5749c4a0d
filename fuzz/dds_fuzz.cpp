#include "core/texture/dds_loader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    const std::vector<uint8_t> bytes(data, data + size);
    fuzz::expectCleanErrors([&] {
        EntryReader entry{bytes};
        (void)ReadDdsInfo(entry);
    });
    fuzz::expectCleanErrors([&] {
        EntryReader entry{bytes};
        (void)LoadDds(entry);
    });
    return 0;
}
