#include "core/game/game_folder.h"

#include "core/game/case_path.h"
#include "core/io/file_system.h"

namespace varmelo {

const char* gameKindName(GameKind kind) {
    switch (kind) {
        case GameKind::Sa: return "sa";
        case GameKind::Vc: return "vc";
        case GameKind::Iii: return "iii";
    }
    return "";
}

const char* gameDatPath(GameKind kind) {
    switch (kind) {
        case GameKind::Sa: return "data/gta.dat";
        case GameKind::Vc: return "data/gta_vc.dat";
        case GameKind::Iii: return "data/gta3.dat";
    }
    return "";
}

std::optional<GameKind> gameKindOf(const std::string& folder) {
    if (!directoryExists(folder)) return std::nullopt;
    for (GameKind kind : {GameKind::Sa, GameKind::Vc, GameKind::Iii}) {
        const auto dat = resolveIgnoringCase(folder, gameDatPath(kind));
        if (dat && fileExists(*dat)) return kind;
    }
    return std::nullopt;
}

std::optional<GameFolder> gameFolderOfArchive(const std::string& archivePath) {
    const std::string models = folderOf(archivePath);
    if (pathKey(fileNameOf(models)) != "models") return std::nullopt;
    const std::string parent = folderOf(models);
    const std::optional<GameKind> kind = gameKindOf(parent);
    if (!kind) return std::nullopt;
    return GameFolder{parent, *kind};
}

}  // namespace varmelo
