// A texture dictionary: its table, then each texture decoded and drawn in every display mode,
// as the dictionary preview does.
#include <algorithm>

#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varmelo;
    EntryReader entry{std::vector<uint8_t>(data, data + size)};
    TxdTable table;
    fuzz::expectCleanErrors([&] { table = ReadTextureTable(entry); });
    const size_t shown = std::min<size_t>(table.textures.size(), 8);
    for (size_t i = 0; i < shown; ++i) {
        const TTexRec& t = table.textures[i];
        fuzz::expectCleanErrors([&] {
            TexelImage texels;
            if (DecodeTexels(entry, t, texels) != DecodeStatus::Ok) return;
            for (TextureMode mode : {TextureMode::Colour, TextureMode::AlphaMask, TextureMode::Checker})
                (void)RenderTexels(texels, 24, 16, mode);
            (void)RenderTexelsInPlace(std::move(texels), TextureMode::Checker);
        });
    }
    return 0;
}
