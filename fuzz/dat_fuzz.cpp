#include <string_view>

#include "core/game/dat_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    fuzz::expectCleanErrors([&] { (void)parseDat(std::string_view(reinterpret_cast<const char*>(data), size)); });
    return 0;
}
