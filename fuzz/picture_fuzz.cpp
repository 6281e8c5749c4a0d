// PNG, JPEG and BMP files, the pictures a dictionary takes in (TGA and DDS have targets of their own).
#include "core/texture/picture_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    fuzz::expectCleanErrors([&] { (void)DecodePicture(std::span<const uint8_t>(data, size), "x.bmp"); });
    return 0;
}
