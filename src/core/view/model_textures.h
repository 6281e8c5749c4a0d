#pragma once
// The textures a model's materials name, decoded from a texture dictionary (TXD). Names are
// matched ignoring the case of ASCII letters, as the game looks them up.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/dff_reader.h"
#include "core/io/entry_reader.h"
#include "core/texture/image.h"

namespace varmelo {

struct ModelTexture {
    std::string name;  // as the materials spell it (the first spelling met)
    Image image;       // the first level, blue, green, red, alpha
};

struct ModelTextures {
    std::vector<ModelTexture> found;   // in the order the materials first name them
    std::vector<std::string> missing;  // named by a material, not in the dictionary or not decodable
    // The decoded texture of that name; nothing when it was not found.
    const Image* find(const std::string& name) const;
};

// The distinct texture names of the clump's materials (their pictures, then their
// environment maps), in first-use order.
std::vector<std::string> materialTextureNames(const DffClump& clump);

// Decodes, from the dictionary the reader holds (read from its first byte), every texture the
// materials name. A dictionary that cannot be read leaves every name missing. Never throws for
// bad content; file failures (FileError) pass through.
ModelTextures LoadModelTextures(const DffClump& clump, EntryReader& dictionary);

// Every name the materials use, none found: a model shown or exported without a dictionary.
ModelTextures NoModelTextures(const DffClump& clump);

bool sameAsciiName(std::string_view a, std::string_view b);

// Among an archive's entry names, the texture dictionary named like the model ("infernus.dff"
// finds "INFERNUS.TXD"): its index, the first such entry; nothing when there is none.
std::optional<size_t> sameNamedDictionary(const std::vector<std::string>& entryNames, const std::string& modelName);

// The indices of every texture dictionary (".txd", any case) among an archive's entry names,
// in entry order: what a model may take its textures from.
std::vector<size_t> dictionaryEntries(const std::vector<std::string>& entryNames);

}  // namespace varmelo
