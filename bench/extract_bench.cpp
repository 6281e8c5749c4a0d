// Extracting every entry of a large archive into a folder against copying the archive
// file with 1 MiB blocks, and against GNU `tar -x` of a tar of the same files into an empty
// folder (no fsync on any side: extraction does not sync).
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <filesystem>

#include "bench_support.h"
#include "core/archive/extract.h"
#include "core/archive/open_archive.h"

namespace {

using namespace bench_support;

void BM_ExtractCopyBaseline(benchmark::State& state) {
    ScratchDir dir;
    writeScatteredArchive(dir.file("a.img"), true, archiveBytes());
    uint64_t bytes = 0;
    for (auto _ : state) bytes += copyFile(dir.file("a.img"), dir.file("copy.img"), false);
    state.SetBytesProcessed(int64_t(bytes));
}

void extractAll(const varmelo::Archive& a, const std::string& folder) {
    for (uint32_t e = 0; e < a.Entries.size(); ++e)
        varmelo::SaveEntryToFile(a, e, varmelo::folderDestination(folder, a.Entries[e].Name));
}

void BM_ExtractTarBaseline(benchmark::State& state) {
    ScratchDir dir;
    writeScatteredArchive(dir.file("a.img"), true, archiveBytes());
    varmelo::Archive a = varmelo::openArchive(dir.file("a.img"));
    ::mkdir(dir.file("files").c_str(), 0755);
    extractAll(a, dir.file("files"));
    runProgram({"tar", "-cf", dir.file("files.tar"), "-C", dir.file("files"), "."});
    std::filesystem::remove_all(dir.file("files"));
    ::sync();  // the set-up's writes on disk before anything is timed
    uint64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(dir.file("out"));
        ::mkdir(dir.file("out").c_str(), 0755);
        state.ResumeTiming();
        runProgram({"tar", "-xf", dir.file("files.tar"), "-C", dir.file("out")});
        for (uint32_t e = 0; e < a.Entries.size(); ++e) bytes += a.byteSize(e);
    }
    state.SetBytesProcessed(int64_t(bytes));
}

void BM_ExtractAll(benchmark::State& state) {
    ScratchDir dir;
    writeScatteredArchive(dir.file("a.img"), true, archiveBytes());
    varmelo::Archive a = varmelo::openArchive(dir.file("a.img"));
    ::mkdir(dir.file("out").c_str(), 0755);
    uint64_t bytes = 0;
    for (auto _ : state) {
        extractAll(a, dir.file("out"));
        for (uint32_t e = 0; e < a.Entries.size(); ++e) bytes += a.byteSize(e);
    }
    state.SetBytesProcessed(int64_t(bytes));
    state.counters["entries"] = double(a.Entries.size());
    state.counters["max_rss_MiB"] = maxRssMiB();
}

BENCHMARK(BM_ExtractCopyBaseline)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExtractTarBaseline)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExtractAll)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
