#pragma once
// Everything read from a game folder that the game view needs: the .dat instructions, the
// item definitions they name, the car colours and the directories of the archives the game
// loads. Files that are missing or unreadable are listed, never fatal: the rest is still read.
#include <map>
#include <string>
#include <vector>

#include "core/archive/archive.h"
#include "core/game/carcols_file.h"
#include "core/game/dat_file.h"
#include "core/game/game_folder.h"
#include "core/game/ide_file.h"

namespace varmelo {

struct GameDatRead {
    std::string path;  // relative to the game folder, as the game names it
    DatFile dat;
};

struct GameIdeRead {
    std::string path;  // as the .dat names it
    IdeFile ide;
};

struct GameFileProblem {
    std::string path;   // as named by the .dat (or the fixed name the game uses)
    std::string error;  // the error text
};

struct GameData {
    std::string folder;
    GameKind kind = GameKind::Sa;
    std::vector<GameDatRead> dats;  // default.dat first, then the game's own
    std::vector<GameIdeRead> ides;  // in .dat order, each file once
    CarcolsFile carcols;
    // Directories only, keyed by pathKey() of the path the game names them by.
    std::map<std::string, Archive> archives;
    std::vector<GameFileProblem> problems;
};

// Throws UsageError when `folder` is no game folder.
GameData readGameData(const std::string& folder);

}  // namespace varmelo
