#pragma once
// inspect and export for models (.dff) and collision files (.col).
#include <optional>
#include <string>
#include <vector>

#include "core/io/entry_reader.h"
#include "core/view/game_look.h"

namespace varmelo::cli {

// A model looked at in a game: the game's data, the model's entry or file name and the
// archive it came from (none for a loose file).
struct ModelInGame {
    const GameData& game;
    std::string modelName;
    const Archive* archive = nullptr;
};

// What the entry holds, as JSON or as a readable summary, with what the game view shows of it
// when a game is given; `error` gets the failure that cut reading short (what was read is
// still printed).
std::string inspectModel(EntryReader& entry, bool json, std::string& error, const ModelInGame* inGame = nullptr);
std::string inspectCollision(EntryReader& entry, bool json, std::string& error);

// Writes the model as Wavefront OBJ; throws on a model that cannot be read.
void exportModelObj(EntryReader& entry, const std::string& output);

// Writes the model as glTF (.glb or .gltf by the output's name) with the textures the
// dictionary holds, none without one; returns the texture names not found.
std::vector<std::string> exportModelGltf(EntryReader& entry, std::optional<EntryReader> dictionary,
                                         const std::string& output);

// The same as the game view shows the model: painted in its first colour set, with the
// textures of its dictionary chain (`chosen` taking the first link's place), every wheel on
// its dummy at its size, the damaged, far-away and unpicked extra parts left out; `allParts`
// keeps the file's own parts and hierarchy instead.
std::vector<std::string> exportModelGltfInGame(EntryReader& entry, const ModelInGame& inGame,
                                               std::optional<ChosenDictionary> chosen, const std::string& output,
                                               bool allParts);

}  // namespace varmelo::cli
