// Reading the texture table of a 500-texture dictionary from a file, against two floors over
// the same bytes: a walk that reads only each texture's chunk header and its struct's header
// (the least a table reader can touch), and one plain read of the whole dictionary.
// The table read is also given as a ratio to the header walk ("vs_walk").
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/io/binary_file.h"
#include "core/rw/chunk.h"
#include "core/io/entry_reader.h"
#include "core/texture/txd_reader.h"
#include "support/txd_builder.h"

using namespace varmelo;
using testing_support::TxdBuilder;
using testing_support::TxdTexture;

namespace {

constexpr int kTextures = 500;

// DXT1 and DXT5 textures of 32 to 256 texels a side with all their mipmap levels, as a
// vehicle or map dictionary holds them; written once per run.
class Dictionary {
public:
    Dictionary() {
        path_ = (std::filesystem::temp_directory_path() / ("varmelo-txd-bench-" + std::to_string(::getpid()) + ".txd")).string();
        std::mt19937 rng(9);
        TxdBuilder b;
        for (int i = 0; i < kTextures; ++i) {
            const uint16_t side = uint16_t(32u << (rng() % 4));
            const bool dxt5 = rng() % 3 == 0;
            const DxtKind kind = dxt5 ? DxtKind::Dxt5 : DxtKind::Dxt1;
            auto level = [&](uint32_t s) {
                std::vector<uint8_t> px(size_t(dxtSurfaceBytes(kind, s, s)));
                for (auto& v : px) v = uint8_t(rng());
                return px;
            };
            TxdTexture t = TxdTexture::d3d9("tex" + std::to_string(i), dxt5 ? TexFormat::Dxt5 : TexFormat::Dxt1,
                                            side, side, level(side), dxt5);
            for (uint32_t s = side / 2; s >= 4; s /= 2) t.moreLevels.push_back(level(s));
            t.mipLevels = uint8_t(1 + t.moreLevels.size());
            b.add(std::move(t));
        }
        const auto bytes = b.build();
        BinaryFile f = BinaryFile::create(path_);
        f.write(bytes.data(), bytes.size());
        size_ = bytes.size();
    }
    ~Dictionary() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }
    uint64_t size() const { return size_; }

private:
    std::string path_;
    uint64_t size_ = 0;
};

const Dictionary& dictionary() {
    static Dictionary d;
    return d;
}

size_t readTable(BinaryFile& file, uint64_t size) {
    EntryReader r(file, 0, size);
    TxdTable t = ReadTextureTable(r);
    if (t.textures.size() != size_t(kTextures) || !t.error.empty()) throw std::runtime_error("table read failed");
    return t.textures.size();
}

size_t walkHeaders(BinaryFile& file, uint64_t size) {
    EntryReader r(file, 0, size);
    SeekChunk(r, kChunkTextureDictionary);
    ChunkHeader s = SeekChunk(r, kChunkStruct);
    r.skip(s.size);
    size_t n = 0;
    while (r.remaining() >= kChunkHeaderSize) {
        ChunkHeader native = readChunkHeader(r);
        if (native.type != kChunkTextureNative) {  // the dictionary's own extension
            r.skip(native.size);
            continue;
        }
        const uint64_t body = r.pos();
        benchmark::DoNotOptimize(readChunkHeader(r));  // the struct's header
        r.seek(body + native.size);
        ++n;
    }
    return n;
}

void BM_TxdReadTable(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const Dictionary& d = dictionary();
    BinaryFile file = BinaryFile::openRead(d.path());
    const auto t0 = Clock::now();
    for (auto _ : state) benchmark::DoNotOptimize(readTable(file, d.size()));
    const double table = std::chrono::duration<double>(Clock::now() - t0).count();
    // As many header walks, timed here so the ratio comes from one run.
    const auto t1 = Clock::now();
    for (benchmark::IterationCount i = 0; i < state.iterations(); ++i) benchmark::DoNotOptimize(walkHeaders(file, d.size()));
    const double walk = std::chrono::duration<double>(Clock::now() - t1).count();
    const double n = double(state.iterations());
    state.counters["table_us"] = table * 1e6 / n;
    state.counters["walk_us"] = walk * 1e6 / n;
    state.counters["vs_walk"] = table / walk;
    state.counters["dict_MiB"] = double(d.size()) / (1 << 20);
    state.SetItemsProcessed(int64_t(state.iterations()) * kTextures);
}

void BM_TxdHeaderWalk(benchmark::State& state) {
    const Dictionary& d = dictionary();
    BinaryFile file = BinaryFile::openRead(d.path());
    for (auto _ : state)
        if (walkHeaders(file, d.size()) != size_t(kTextures)) throw std::runtime_error("walk failed");
    state.SetItemsProcessed(int64_t(state.iterations()) * kTextures);
}

void BM_TxdPlainRead(benchmark::State& state) {
    const Dictionary& d = dictionary();
    BinaryFile file = BinaryFile::openRead(d.path());
    std::vector<uint8_t> buf(size_t(d.size()));
    for (auto _ : state) {
        file.seek(0);
        file.readExact(buf.data(), buf.size());
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(d.size()));
}

BENCHMARK(BM_TxdReadTable)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TxdHeaderWalk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TxdPlainRead)->Unit(benchmark::kMicrosecond);

}  // namespace
