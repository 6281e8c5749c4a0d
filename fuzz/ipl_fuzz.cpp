#include "core/model/ipl_binary.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    fuzz::expectCleanErrors([&] {
        EntryReader entry{std::vector<uint8_t>(data, data + size)};
        const IplConversion c = ConvertBinaryIpl(entry, "a.ipl");
        (void)joinLinesCrLf(c.lines);
    });
    return 0;
}
