#pragma once
// Which game a folder holds, told by the game's own .dat file in its data folder.
#include <optional>
#include <string>

namespace varmelo {

enum class GameKind { Sa, Vc, Iii };

// "sa", "vc", "iii".
const char* gameKindName(GameKind kind);
// The game's own .dat, relative to the game folder: "data/gta.dat", "data/gta_vc.dat", "data/gta3.dat".
const char* gameDatPath(GameKind kind);

struct GameFolder {
    std::string path;
    GameKind kind = GameKind::Sa;
};

// The kind of game in a folder the user names, or nothing when it holds none.
std::optional<GameKind> gameKindOf(const std::string& folder);

// The game an archive belongs to: the archive lies in a folder named "models" (any case) whose
// parent is a game folder.
std::optional<GameFolder> gameFolderOfArchive(const std::string& archivePath);

}  // namespace varmelo
