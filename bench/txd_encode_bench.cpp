// A 1024 x 1024 picture made into a DXT1 and a DXT5 texture with its full mipmap chain, as
// `txd add --mipmaps full` does it (linear-light box filter, libsquish cluster fit), next to
// NVIDIA's nvcompress (Debian libnvtt-bin) on the same picture with its own mipmaps, run as a
// program when installed. The psnr counter compares the top level, decoded by our own
// decoder, with the picture. VARMELO_BENCH_PICTURE names a picture file to use instead of the
// drawn one (a photograph); it is resized to 1024 x 1024 first.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/io/entry_reader.h"
#include "core/texture/dds_loader.h"
#include "core/texture/linear_resample.h"
#include "core/texture/picture_file.h"
#include "core/texture/png_writer.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/texture_encode.h"
#include "support/txd_builder.h"

using namespace varmelo;

namespace {

constexpr int kSide = 1024;

Image benchPicture(bool opaque) {
    Image img;
    if (const char* path = std::getenv("VARMELO_BENCH_PICTURE")) {
        img = resizeImage(LoadPictureFile(path).image, kSide, kSide);
    } else {
        img = Image(kSide, kSide);
        img.bgra = testing_support::demoPicture(kSide, kSide, 3);
    }
    if (opaque)
        for (size_t i = 3; i < img.bgra.size(); i += 4) img.bgra[i] = 255;
    return img;
}

double psnr(const Image& a, const Image& b) {
    double se = 0;
    for (size_t i = 0; i < a.bgra.size(); ++i) se += std::pow(double(a.bgra[i]) - b.bgra[i], 2);
    return se == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 * double(a.bgra.size()) / se);
}

void BM_EncodeOurs(benchmark::State& state, TargetFormat format) {
    const Image src = benchPicture(format == TargetFormat::Dxt1);
    WrittenTexture t;
    for (auto _ : state) {
        t = encodeTexture(src, {format, MipmapMode::Full, false}, NativeHeader{}, {}, 0x1803FFFF);
        benchmark::DoNotOptimize(t.chunk.data());
    }
    TexelImage back;
    DecodeTexels(t.info, std::span<const uint8_t>(t.chunk).subspan(size_t(t.info.DataOffset)), back);
    state.counters["psnr"] = psnr(back.image, src);
    state.counters["levels"] = t.info.MipLevels;
}

void BM_Nvcompress(benchmark::State& state, const char* mode) {
    const std::string tool = "/usr/bin/nvcompress";
    if (!std::filesystem::exists(tool)) {
        state.SkipWithError("nvcompress is not installed (Debian libnvtt-bin)");
        return;
    }
    const bool dxt1 = std::string(mode) == "-bc1";
    const Image src = benchPicture(dxt1);
    const std::string dir = std::filesystem::temp_directory_path() / "varmelo-nvcompress-bench";
    std::filesystem::create_directories(dir);
    const std::string in = dir + "/in.png", out = dir + "/out.dds";
    WritePng(in, src, !dxt1);
    const std::string command = tool + " -silent " + mode + " " + in + " " + out + " > /dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("nvcompress failed");
            return;
        }
    }
    EntryReader r = EntryReader::open(out, 0, std::filesystem::file_size(out));
    state.counters["psnr"] = psnr(LoadDds(r).image, src);
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK_CAPTURE(BM_EncodeOurs, dxt1_full_mipmaps, TargetFormat::Dxt1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_EncodeOurs, dxt5_full_mipmaps, TargetFormat::Dxt5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Nvcompress, dxt1_full_mipmaps, "-bc1")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Nvcompress, dxt5_full_mipmaps, "-bc3")->Unit(benchmark::kMillisecond)->UseRealTime();
