// DXT1, DXT3 and DXT5 decoding of a 1024 x 1024 surface of seeded random blocks, ours next to
// libsquish decoding the same blocks into the same size of image, in texels per second.
// Random blocks hit every mode and code about equally, unlike real art, so neither decoder
// gains from a branch predictor that learned one mode.
#include <benchmark/benchmark.h>
#include <squish.h>

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

BENCHMARK_CAPTURE(BM_DxtOurs, Dxt1, DxtKind::Dxt1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DxtSquish, Dxt1, DxtKind::Dxt1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DxtOurs, Dxt3, DxtKind::Dxt3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DxtSquish, Dxt3, DxtKind::Dxt3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DxtOurs, Dxt5, DxtKind::Dxt5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DxtSquish, Dxt5, DxtKind::Dxt5)->Unit(benchmark::kMillisecond);

}  // namespace
