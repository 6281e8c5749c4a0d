// Reading a 200 000-triangle model and building the lists the model view uploads, as a
// ratio to reading the model's bytes once from the file ("vs_bytes"). Eight parts of about
// 25 000 triangles each (16-bit indices hold at most 65 536 vertices a geometry), every part
// under its own frame, as a detailed vehicle is built.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/io/binary_file.h"
#include "core/model/dff_parts.h"
#include "core/model/dff_reader.h"
#include "core/view/part_mesh.h"
#include "core/io/entry_reader.h"
#include "support/dff_builder.h"

using namespace varmelo;
using testing_support::DffBuilder;
using testing_support::DffGeometryPlan;

namespace {

constexpr int kParts = 8;
constexpr int kSide = 113;  // vertices a side: 2 * 112 * 112 = 25 088 triangles a part

DffGeometryPlan grid(float lift) {
    DffGeometryPlan g;
    g.flags = 0x04 | 0x20;  // texture coordinates, lit; normals computed per triangle
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            g.positions.push_back({float(x) * 0.1f, float(y) * 0.1f, lift + float((x * y) % 7) * 0.01f});
            g.texCoords.push_back({float(x) / kSide, float(y) / kSide});
        }
    for (int y = 0; y + 1 < kSide; ++y)
        for (int x = 0; x + 1 < kSide; ++x) {
            const auto v = [&](int dx, int dy) { return uint16_t((y + dy) * kSide + x + dx); };
            g.triangles.push_back(testing_support::dffTriangle(v(0, 0), v(1, 0), v(1, 1)));
            g.triangles.push_back(testing_support::dffTriangle(v(0, 0), v(1, 1), v(0, 1)));
        }
    g.radius = float(kSide) * 0.1f;
    return g;
}

class Model {
public:
    Model() {
        path_ = (std::filesystem::temp_directory_path() / ("varmelo-model-bench-" + std::to_string(::getpid()) + ".dff"))
                    .string();
        DffBuilder b;
        const int root = b.frame("chassis");
        for (int i = 0; i < kParts; ++i) {
            testing_support::DffFramePlan f;
            f.name = "part" + std::to_string(i);
            f.parent = root;
            f.position = {float(i), 0, 0};
            b.atomic(b.frame(f), b.geometry(grid(float(i))));
        }
        const auto bytes = b.build();
        BinaryFile file = BinaryFile::create(path_);
        file.write(bytes.data(), bytes.size());
        size_ = bytes.size();
    }
    ~Model() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }
    uint64_t size() const { return size_; }

private:
    std::string path_;
    uint64_t size_ = 0;
};

const Model& model() {
    static Model m;
    return m;
}

double readBytesOnce() {
    const auto t0 = std::chrono::steady_clock::now();
    EntryReader r = EntryReader::open(model().path(), 0, model().size());
    benchmark::DoNotOptimize(r.read(size_t(model().size())));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// What the model view does with a model row, in the silver look: read the clump, then each
// part's arrays and index list as they go to the GL. `reading` gets the reading's share.
size_t readAndBuild(double& reading) {
    const auto t0 = std::chrono::steady_clock::now();
    EntryReader r = EntryReader::open(model().path(), 0, model().size());
    const DffClump clump = ReadDffClump(r);
    reading += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    size_t corners = 0;
    for (const DffPart& p : dffParts(clump)) corners += partMesh(clump, p, {p.frame, false}, false).indices.size();
    if (corners < 600000) throw std::runtime_error("model read short");
    return corners;
}

void BM_ModelBytesOnce(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(readBytesOnce());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(model().size()));
}
BENCHMARK(BM_ModelBytesOnce)->Unit(benchmark::kMillisecond);

void BM_ModelReadAndBuild(benchmark::State& state) {
    double ours = 0, reading = 0, floor = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(readAndBuild(reading));
        ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.PauseTiming();
        floor += readBytesOnce();
        state.ResumeTiming();
    }
    state.counters["vs_bytes"] = floor > 0 ? ours / floor : 0;
    state.counters["read_vs_bytes"] = floor > 0 ? reading / floor : 0;
    state.counters["triangles"] = double(kParts * 2 * (kSide - 1) * (kSide - 1));
}
BENCHMARK(BM_ModelReadAndBuild)->Unit(benchmark::kMillisecond);

}  // namespace
