// Loading a 100 000-entry archive into the entry list and sorting it by name, against reading
// its directory alone. Each figure carries `ratio`, its time over the directory read measured
// in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QPixmap>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "core/archive/open_archive.h"
#include "core/browser/row_map.h"
#include "core/io/binary_file.h"
#include "core/io/endian.h"
#include "core/settings/messages.h"
#include "gui/browser/entry_list_model.h"
#include "gui/browser/entry_list_view.h"

using namespace varmelo;

namespace {

constexpr uint32_t kEntries = 100000;

std::string makeArchive() {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("varmelo-list-window-bench-" + std::to_string(::getpid()) + ".img")).string();
    std::vector<uint8_t> bytes(8 + size_t(kEntries) * 32, 0);
    std::copy_n("VER2", 4, bytes.begin());
    put32le(bytes.data() + 4, kEntries);
    std::mt19937 rng(11);
    uint32_t sector = 1600;
    for (uint32_t i = 0; i < kEntries; ++i) {
        uint8_t* r = bytes.data() + 8 + size_t(i) * 32;
        uint32_t size = 1 + rng() % 40;
        put32le(r, sector);
        put32le(r + 4, size);
        sector += size;
        // Shuffled names, so sorting has real work to do.
        std::snprintf(reinterpret_cast<char*>(r + 8), 24, "obj%06u.dff", uint32_t(rng() % 1000000));
    }
    BinaryFile f = BinaryFile::create(path);
    f.write(bytes.data(), bytes.size());
    return path;
}

const std::string& archivePath() {
    static std::string path = makeArchive();
    return path;
}

double secondsOf(const std::function<void()>& f) {
    auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// The directory read alone: the best of several runs.
double directorySeconds() {
    static double best = [] {
        double b = 1e9;
        for (int i = 0; i < 15; ++i) b = std::min(b, secondsOf([] { benchmark::DoNotOptimize(openArchive(archivePath())); }));
        return b;
    }();
    return best;
}

struct ListWindow {
    MessageTable messages;
    Archive archive;
    gui::EntryListModel model{archive, messages};
    gui::EntryListView view;
    ListWindow() {
        view.setModel(&model);
        view.applyColumnWidths();
        view.resize(440, 700);
        view.show();
    }
    void load() {
        archive = openArchive(archivePath());
        model.reset();
    }
    void paint() { benchmark::DoNotOptimize(view.grab()); }  // draws the visible rows
};

void finish(benchmark::State& state, double seconds) {
    state.counters["ratio"] = seconds / double(state.iterations()) / directorySeconds();
}

void BM_ReadDirectoryAlone(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) total += secondsOf([] { benchmark::DoNotOptimize(openArchive(archivePath())); });
    finish(state, total);
}
BENCHMARK(BM_ReadDirectoryAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadIntoList(benchmark::State& state) {
    ListWindow w;
    double total = 0;
    for (auto _ : state) total += secondsOf([&] {
        w.load();
        w.paint();
    });
    finish(state, total);
}
BENCHMARK(BM_LoadIntoList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadAndSortByName(benchmark::State& state) {
    ListWindow w;
    double total = 0;
    for (auto _ : state) total += secondsOf([&] {
        w.load();
        columnClick(w.archive, -1, kColumnName);
        w.model.refreshAll();
        w.paint();
    });
    finish(state, total);
}
BENCHMARK(BM_LoadAndSortByName)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(archivePath().c_str());
    return 0;
}
