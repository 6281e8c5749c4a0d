// Adding many small files to a new single-file archive: the time per file must not grow
// with the number of files (compare per_file_us of the two sizes).
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "core/archive/create_archive.h"
#include "core/archive/img_editor.h"
#include "core/archive/open_archive.h"
#include "support/numbered_name.h"

namespace {

using namespace bench_support;

void BM_AddSmallFiles(benchmark::State& state) {
    const size_t count = size_t(state.range(0));
    ScratchDir dir;
    std::vector<std::string> files;
    std::vector<uint8_t> data(3000, 0x5A);
    for (size_t i = 0; i < count; ++i) {
        files.push_back(dir.file(testing_support::numbered("f", size_t(i), ".txd")));
        int fd = ::open(files.back().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, data.data(), data.size()) != ssize_t(data.size())) throw std::runtime_error("f");
        ::close(fd);
    }
    for (auto _ : state) {
        state.PauseTiming();
        varmelo::CreateArchive(dir.file("a.img"), varmelo::NewArchiveForm::SanAndreas);
        varmelo::Archive a = varmelo::openArchive(dir.file("a.img"));
        state.ResumeTiming();
        varmelo::AddFiles(a, files, [](uint32_t) { return varmelo::ExistingDecision::AddAnother; });
    }
    state.counters["seconds_per_file"] =
        benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(int64_t(state.iterations() * count));
}

BENCHMARK(BM_AddSmallFiles)->Arg(100)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
