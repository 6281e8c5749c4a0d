#pragma once
// Where the game takes a model's textures from: a chain of texture dictionaries, each texture
// taken from the first link that holds it (names compared ignoring ASCII case).
//   1. the dictionary the model's IDE record names (or the one the user chose instead),
//      looked for as NAME.txd in the model's own archive, then in the archives the game loads
//      (models/gta3.img, models/gta_int.img in San Andreas, then the .dat's IMG lines), then
//      among the loose TEXDICTION files of the .dat;
//   2. its txdp parents in turn, looked for the same way, up to the first repeat;
//   3. for a vehicle (IDE "cars"), the shared vehicle dictionary: models/generic/vehicle.txd
//      in San Andreas, models/generic.txd in III and Vice City.
#include <optional>
#include <string>
#include <vector>

#include "core/archive/archive.h"
#include "core/game/game_data.h"
#include "core/io/entry_reader.h"
#include "core/model/dff_reader.h"
#include "core/view/game_model_record.h"
#include "core/view/model_textures.h"

namespace varmelo {

struct DictionaryLink {
    std::string name;  // lower case, without ".txd"
    bool found = false;
    std::string error;  // why a dictionary that was found could not be read; empty when it could
};

struct TextureSource {
    std::string texture;                    // lower case
    std::optional<std::string> dictionary;  // the link that supplied it; nothing when none did
};

struct GameTextures {
    std::vector<DictionaryLink> chain;   // in lookup order, each name once
    std::vector<TextureSource> sources;  // in the order the materials first name the textures
    ModelTextures textures;              // decoded, for drawing
};

// A dictionary the user picked for the model: it takes the place of the IDE record's.
struct ChosenDictionary {
    std::string name;  // file or entry name; its ".txd" is dropped
    EntryReader reader;
};

// The archives the game loads, in the order it loads them.
std::vector<const Archive*> gameArchives(const GameData& game);

// The first entry called `name` (ASCII case ignored) in the model's own archive, then in the
// game's archives; nothing when none holds one.
std::optional<EntryReader> openGameEntry(const GameData& game, const Archive* modelArchive, const std::string& name);

// The names of the chain (lower case, without ".txd"); empty without a record or a choice.
std::vector<std::string> dictionaryChain(const GameData& game, const std::optional<GameModelRecord>& record,
                                         const std::string& chosenName = "");

// Looks the chain up and decodes every texture the clump's materials name from the first link
// holding it. `modelArchive` is the archive the model came from, if any. A link that cannot be
// opened or read supplies nothing; never throws for bad content.
GameTextures loadGameTextures(const GameData& game, const DffClump& clump,
                              const std::optional<GameModelRecord>& record, const Archive* modelArchive,
                              std::optional<ChosenDictionary> chosen = std::nullopt);

}  // namespace varmelo
