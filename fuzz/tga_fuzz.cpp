#include "core/texture/tga_loader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    const std::vector<uint8_t> bytes(data, data + size);
    fuzz::expectCleanErrors([&] {
        EntryReader entry{bytes};
        (void)ReadTgaInfo(entry);
    });
    fuzz::expectCleanErrors([&] {
        EntryReader entry{bytes};
        (void)LoadTga(entry);
    });
    return 0;
}
