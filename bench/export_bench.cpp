// Exporting every texture of a dictionary, as `export --all` does: the table is read once and
// each texture decoded from where it lies. The time per texture must stay flat from 500 to
// 2 000 textures; "per_texture" makes that visible side by side. BM_ExportByIndex is the
// older way, the table read again for each texture, kept as the quadratic baseline.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

#include "core/io/entry_reader.h"
#include "core/preview/inspect.h"
#include "support/txd_builder.h"

using namespace varmelo;
using testing_support::TxdBuilder;
using testing_support::TxdTexture;

namespace {

std::vector<uint8_t> dictionaryOf(int textures) {
    TxdBuilder b;
    const std::vector<uint8_t> level = testing_support::dxtColourBlock(0xF800, 0x001F, 0x1B1B1B1Bu);
    std::vector<uint8_t> four;
    for (int i = 0; i < 4; ++i) four.insert(four.end(), level.begin(), level.end());
    for (int i = 0; i < textures; ++i) b.add(TxdTexture::d3d9("t" + std::to_string(i), TexFormat::Dxt1, 8, 8, four));
    return b.build();
}

void BM_ExportAll(benchmark::State& state) {
    const int n = int(state.range(0));
    const std::vector<uint8_t> bytes = dictionaryOf(n);
    for (auto _ : state) {
        EntryReader r{std::vector<uint8_t>(bytes)};
        const TxdTable table = ReadDictionary(r);
        if (table.textures.size() != size_t(n)) throw std::runtime_error("table read failed");
        for (const TTexRec& t : table.textures) benchmark::DoNotOptimize(ExportTexture(r, t, ExportMode::Rgba));
    }
    state.counters["per_texture"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExportAll)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

void BM_ExportByIndex(benchmark::State& state) {
    const int n = int(state.range(0));
    const std::vector<uint8_t> bytes = dictionaryOf(n);
    for (auto _ : state) {
        EntryReader r{std::vector<uint8_t>(bytes)};
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(ExportPicture(r, "d.txd", i, ExportMode::Rgba));
    }
    state.counters["per_texture"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExportByIndex)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
