#include <gtest/gtest.h>

#include <cstdlib>

#include "core/texture/dxt_decoder.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

// The sample archive's textures come from these helpers: what they encode must come back.
TEST(DemoContent, EncodedBlocksDecodeCloseToThePicture) {
    const int n = 32;
    const std::vector<uint8_t> pic = demoPicture(n, n, 0);
    for (DxtKind k : {DxtKind::Dxt1, DxtKind::Dxt3, DxtKind::Dxt5}) {
        SCOPED_TRACE(int(k));
        std::vector<uint8_t> blocks = encodeDxt(k, pic, n, n);
        ASSERT_EQ(blocks.size(), dxtSurfaceBytes(k, n, n));
        std::vector<uint8_t> out(pic.size());
        decodeDxtSurface(k, blocks.data(), n, n, out.data());
        int worstColour = 0, worstAlpha = 0;
        for (size_t i = 0; i < pic.size(); i += 4) {
            const bool dropped = k == DxtKind::Dxt1 && pic[i + 3] < 128;
            if (k == DxtKind::Dxt1) {
                EXPECT_EQ(out[i + 3] == 0, dropped) << i / 4;
            }
            if (dropped) continue;
            for (int c = 0; c < 3; ++c) worstColour = std::max(worstColour, std::abs(out[i + c] - pic[i + c]));
            if (k != DxtKind::Dxt1) worstAlpha = std::max(worstAlpha, std::abs(out[i + 3] - pic[i + 3]));
        }
        EXPECT_LE(worstColour, 48);
        EXPECT_LE(worstAlpha, 20);
    }
}

TEST(DemoContent, DemoDictionaryDecodesWhole) {
    std::vector<uint8_t> bytes = demoDictionary();
    EntryReader r(bytes);
    TxdTable t = ReadTextureTable(r);
    EXPECT_EQ(t.error, "");
    ASSERT_EQ(t.textures.size(), 12u);
    for (const TTexRec& tex : t.textures) {
        SCOPED_TRACE(tex.Name);
        EXPECT_NE(tex.Format, TexFormat::Unknown);
        DecodeResult d = DecodeTexture(r, tex, 48, 48, TextureMode::Checker);
        EXPECT_EQ(d.status, DecodeStatus::Ok);
    }
}

}  // namespace
