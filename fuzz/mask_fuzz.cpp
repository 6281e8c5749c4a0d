// The mask compiler and matcher: the input is a mask, a line break, and a name to match.
#include <algorithm>
#include <string>

#include "core/browser/mask.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t cut = std::min(input.find('\n'), input.size());
    const std::string text = input.substr(0, cut);
    const std::string name = cut < input.size() ? input.substr(cut + 1) : std::string("GTA3.IMG");
    fuzz::expectCleanErrors([&] { (void)Mask(text).matches(name); });
    for (bool wholeWord : {false, true})
        for (bool matchCase : {false, true})
            fuzz::expectCleanErrors([&] { (void)NameMatcher(text, {wholeWord, matchCase}).matches(name); });
    return 0;
}
