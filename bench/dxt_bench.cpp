// DXT1, DXT3 and DXT5 decoding of a 1024 x 1024 surface of seeded random blocks, ours next to
// libsquish decoding the same blocks into the same size of image, in texels per second.
// Random blocks hit every mode and code about equally, unlike real art, so neither decoder
// gains from a branch predictor that learned one mode. Wall time, since libsquish's image
// call uses several threads.
#include <benchmark/benchmark.h>
#include <squish.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/texture/dxt_decoder.h"

using namespace varmelo;

namespace {

constexpr uint32_t kSide = 1024;

const std::vector<uint8_t>& blocks(DxtKind kind) {
    static std::vector<uint8_t> cache[3];
    std::vector<uint8_t>& b = cache[int(kind)];
    if (b.empty()) {
        b.resize(size_t(dxtSurfaceBytes(kind, kSide, kSide)));
        std::mt19937 rng(42 + int(kind));
        for (auto& v : b) v = uint8_t(rng());
    }
    return b;
}

int squishFlags(DxtKind kind) {
    return kind == DxtKind::Dxt1 ? squish::kDxt1 : kind == DxtKind::Dxt3 ? squish::kDxt3 : squish::kDxt5;
}

void BM_DxtOurs(benchmark::State& state, DxtKind kind) {
    const auto& data = blocks(kind);
    std::vector<uint8_t> out(size_t(kSide) * kSide * 4);
    for (auto _ : state) {
        decodeDxtSurface(kind, data.data(), kSide, kSide, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSide * kSide);
}

void BM_DxtSquish(benchmark::State& state, DxtKind kind) {
    const auto& data = blocks(kind);
    std::vector<uint8_t> out(size_t(kSide) * kSide * 4);
    for (auto _ : state) {
        squish::DecompressImage(out.data(), int(kSide), int(kSide), data.data(), squishFlags(kind));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSide * kSide);
}

// libsquish's image call spreads blocks over threads (OpenMP); this is its block call on one
// thread, placing rows as our surface decoder does, for a like-for-like figure.
void BM_DxtSquishOneThread(benchmark::State& state, DxtKind kind) {
    const auto& data = blocks(kind);
    const size_t blockBytes = dxtBlockBytes(kind);
    std::vector<uint8_t> out(size_t(kSide) * kSide * 4);
    uint8_t texels[64];
    for (auto _ : state) {
        for (uint32_t by = 0; by < kSide / 4; ++by)
            for (uint32_t bx = 0; bx < kSide / 4; ++bx) {
                squish::Decompress(texels, data.data() + (size_t(by) * (kSide / 4) + bx) * blockBytes, squishFlags(kind));
                for (uint32_t j = 0; j < 4; ++j)
                    std::memcpy(out.data() + (size_t(by * 4 + j) * kSide + bx * 4) * 4, texels + j * 16, 16);
            }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSide * kSide);
}

BENCHMARK_CAPTURE(BM_DxtOurs, Dxt1, DxtKind::Dxt1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtSquish, Dxt1, DxtKind::Dxt1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtSquishOneThread, Dxt1, DxtKind::Dxt1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtOurs, Dxt3, DxtKind::Dxt3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtSquish, Dxt3, DxtKind::Dxt3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtSquishOneThread, Dxt3, DxtKind::Dxt3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtOurs, Dxt5, DxtKind::Dxt5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtSquish, Dxt5, DxtKind::Dxt5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_DxtSquishOneThread, Dxt5, DxtKind::Dxt5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
