#pragma once
// Builds small game folders for tests, benchmarks and fuzz seeds: text files (.dat, .ide,
// carcols.dat) and IMG archives at paths given with the letter case they have on disk.
//   GameFolderBuilder().text("Data/gta.dat", "IDE DATA\\A.IDE\n").write(folder);
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
