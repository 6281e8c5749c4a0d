// Reading a whole game's data (its .dat files, ~100 IDE files of the size the game's own have,
// carcols.dat and the directories of 6 archives) against reading those same files' bytes once,
// the floor any reader pays; counter vs_bytes, the target is at most 3 times the floor.
// Paths in the .dat are upper case and the files on disk lower case, as on a copied game.
#include <benchmark/benchmark.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/game/game_data.h"
#include "core/io/binary_file.h"
#include "core/io/endian.h"
#include "support/game_folder_builder.h"

using namespace varmelo;

namespace {

constexpr int kIdeFiles = 100;
constexpr int kObjsPerIde = 250;

// A "VER2" header and directory only: entries point past the end, which a directory read allows.
std::string directoryOnly(uint32_t entries, const std::string& prefix) {
    std::string bytes(8 + size_t(entries) * 32, '\0');
    auto* p = reinterpret_cast<uint8_t*>(bytes.data());
    std::copy_n("VER2", 4, p);
    put32le(p + 4, entries);
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t* r = p + 8 + size_t(i) * 32;
        put32le(r, 100 + i * 4);
        put32le(r + 4, 4);
        std::snprintf(reinterpret_cast<char*>(r + 8), 24, "%s%06u.dff", prefix.c_str(), i);
    }
    return bytes;
}

std::string ideText(int area) {
    std::string t = "# area " + std::to_string(area) + "\r\nobjs\r\n";
    char line[160];
    for (int i = 0; i < kObjsPerIde; ++i) {
        std::snprintf(line, sizeof line, "%d, area%03d_obj%03d, area%03d_tex, 299, 0\r\n", 1000 + area * 1000 + i,
                      area, i, area);
        t += line;
    }
    t += "end\r\ntobj\r\n";
    for (int i = 0; i < 20; ++i) {
        std::snprintf(line, sizeof line, "%d, area%03d_lit%02d, area%03d_tex, 150, 4, 20, 6\r\n", 1900 + area * 1000 + i,
                      area, i, area);
        t += line;
    }
    return t + "end\r\n";
}

class Game {
public:
    Game() {
        testing_support::GameFolderBuilder b;
        std::string dat = "IMG MODELS\\CUTSCENE.IMG\r\nIMG MODELS\\PLAYER.IMG\r\nIMG MODELS\\EXTRA1.IMG\r\n"
                          "IMG MODELS\\EXTRA2.IMG\r\n";
        for (int i = 0; i < kIdeFiles; ++i) {
            const std::string name = "data/maps/area" + std::to_string(i) + "/area" + std::to_string(i) + ".ide";
            b.text(name, ideText(i));
            files_.push_back(name);
            std::string upper = name;
            for (char& c : upper) c = c == '/' ? '\\' : char(std::toupper(static_cast<unsigned char>(c)));
            dat += "IDE " + upper + "\r\nIPL " + upper.substr(0, upper.size() - 3) + "IPL\r\n";
        }
        b.text("data/gta.dat", dat).text("data/default.dat", testing_support::GameFolderBuilder::sampleDat());
        b.text("data/carcols.dat", testing_support::GameFolderBuilder::sampleCarcols());
        const std::pair<const char*, uint32_t> imgs[] = {{"gta3", 16000}, {"gta_int", 2500}, {"cutscene", 1200},
                                                         {"player", 300},  {"extra1", 1000},   {"extra2", 1000}};
        for (const auto& [name, entries] : imgs) {
            b.text("models/" + std::string(name) + ".img", directoryOnly(entries, name));
            files_.push_back("models/" + std::string(name) + ".img");
        }
        for (const char* f : {"data/gta.dat", "data/default.dat", "data/carcols.dat"}) files_.push_back(f);
        b.write(dir_.path());
    }
    const std::string& path() const { return dir_.path(); }
    const std::vector<std::string>& files() const { return files_; }

private:
    bench_support::ScratchDir dir_;
    std::vector<std::string> files_;
};

const Game& game() {
    static Game g;
    return g;
}

double readEveryFileOnce() {
    const auto start = std::chrono::steady_clock::now();
    size_t total = 0;
    for (const std::string& f : game().files()) {
        BinaryFile file = BinaryFile::openRead(game().path() + "/" + f);
        total += file.readExact(size_t(file.size())).size();
    }
    benchmark::DoNotOptimize(total);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ReadGameData(benchmark::State& state) {
    const Game& g = game();
    double floor = 0, ours = 0;
    for (auto _ : state) {
        floor += readEveryFileOnce();
        const auto start = std::chrono::steady_clock::now();
        const GameData data = readGameData(g.path());
        ours += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (data.ides.size() != size_t(kIdeFiles) || data.archives.size() != 6) state.SkipWithError("not all read");
        benchmark::DoNotOptimize(data.ides.data());
    }
    state.counters["vs_bytes"] = ours / floor;
}
BENCHMARK(BM_ReadGameData)->Unit(benchmark::kMillisecond);

}  // namespace
