// Rebuilding a large scattered archive against copying the same file: with 1 MiB blocks
// through a buffer, and with the system's `cp`; every copy is fsynced, as the rebuilt archive
// is. Read the ratio of the bytes_per_second counters; max_rss_MiB must stay small whatever
// VARMELO_BENCH_MB is.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/archive/open_archive.h"
#include "core/archive/rebuild.h"

namespace {

using namespace bench_support;

void BM_CopyBaseline(benchmark::State& state) {
    ScratchDir dir;
    writeScatteredArchive(dir.file("a.img"), true, archiveBytes());
    uint64_t bytes = 0;
    for (auto _ : state) bytes += copyFile(dir.file("a.img"), dir.file("copy.img"), true);
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["max_rss_MiB"] = maxRssMiB();
}

void BM_CpSyncBaseline(benchmark::State& state) {
    ScratchDir dir;
    writeScatteredArchive(dir.file("a.img"), true, archiveBytes());
    uint64_t bytes = 0;
    for (auto _ : state) bytes += cpAndSync(dir.file("a.img"), dir.file("copy.img"));
    state.SetBytesProcessed(int64_t(bytes));
}

void rebuild(benchmark::State& state, bool v2) {
    ScratchDir dir;
    uint64_t bytes = 0;
    size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        entries = writeScatteredArchive(dir.file("a.img"), v2, archiveBytes());
        varmelo::Archive a = varmelo::openArchive(dir.file("a.img"));
        state.ResumeTiming();
        varmelo::RebuildArchive(a);
        bytes += fileBytes(dir.file("a.img"));
    }
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["entries"] = double(entries);
    state.counters["max_rss_MiB"] = maxRssMiB();
}

void BM_RebuildVer2(benchmark::State& state) { rebuild(state, true); }
void BM_RebuildTwoFile(benchmark::State& state) { rebuild(state, false); }

BENCHMARK(BM_CopyBaseline)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CpSyncBaseline)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RebuildVer2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RebuildTwoFile)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
