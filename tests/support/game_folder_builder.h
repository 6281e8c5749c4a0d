#pragma once
// Builds small game folders for tests, benchmarks and fuzz seeds: text files (.dat, .ide,
// carcols.dat) and IMG archives at paths given with the letter case they have on disk.
//   GameFolderBuilder().text("Data/gta.dat", "IDE DATA\\A.IDE\n").write(folder);
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/img_builder.h"

namespace testing_support {

class GameFolderBuilder {
public:
    GameFolderBuilder& text(const std::string& path, const std::string& content);
    // A "VER2" archive, or with `twoFiles` an .img with its directory in `dirPath`.
    GameFolderBuilder& img(const std::string& path, const ImgBuilder& archive);
    GameFolderBuilder& imgV1(const std::string& path, const std::string& dirPath, const ImgBuilder& archive);
    // Writes every file under `folder`, making the folders on the way.
    void write(const std::string& folder) const;

    // The San Andreas folder the game tests read: mixed case on disk and in the files,
    // backslashes, comments, CR LF, a txdp loop, four-colour sets, lines that do not parse,
    // a missing IDE and a two-file archive whose ".DIR" differs in case.
    static GameFolderBuilder sanAndreas();
    // The San Andreas folder the game look tests read. Models/Cars.img (listed) holds
    // infernus.dff (car 411, txd "infernus") and prop.dff (object 1000, txd "propa");
    // Models/gta3.img (not listed) holds infernus.txd {infernus92wheel32, Shared} and the txdp
    // chain propa.txd {a} -> propb.txd {b, A} -> Models/PROPC.TXD {c} (loose, TEXDICTION)
    // -> propa again; Models/Generic/VEHICLE.TXD holds {vehiclegeneric256, shared}.
    // infernus wears materials of the four paint and four light placeholders; carcols.dat
    // gives it the pair (1, 2) and the sets of four (3, 2, 1, 0) and (0, 0, 0, 0).
    static GameFolderBuilder sanAndreasCar();
    // A model of one box whose materials wear these colours (repeated) and name these
    // textures; its faces name the materials in turn.
    static std::vector<uint8_t> model(const std::vector<std::array<uint8_t, 4>>& colours,
                                      const std::vector<std::string>& textures);
    // A dictionary of 1 x 1 textures of these names.
    static std::vector<uint8_t> dictionary(const std::vector<std::string>& names);
    // A .dat line list, an IDE and a carcols.dat, for seeds.
    static std::string sampleDat();
    static std::string sampleIde();
    static std::string sampleCarcols();

private:
    struct File {
        std::string path;
        std::string content;
        bool archive = false;
        std::string dirPath;
        ImgBuilder img;
    };
    std::vector<File> files_;
};

}  // namespace testing_support
