#include <string_view>

#include "core/game/ide_file.h"
#include "fuzz/fuzz_support.h"

// The first byte picks the game, whose cars lines differ.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    if (size == 0) return 0;
    const GameKind game = GameKind(data[0] % 3);
    fuzz::expectCleanErrors(
        [&] { (void)parseIde(std::string(reinterpret_cast<const char*>(data + 1), size - 1), game); });
    return 0;
}
