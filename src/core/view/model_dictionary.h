#pragma once
// Where a model's textures come from when the user names no dictionary: the texture
// dictionary named like the model ("infernus.dff" -> "infernus.txd", ASCII case ignored), in
// the model's archive or, for a loose model file, beside it.
#include <optional>
#include <string>

#include "core/archive/archive.h"
#include "core/io/entry_reader.h"

namespace varmelo {

// The archive's dictionary named like the entry `modelName`, opened for reading; nothing when
// the archive holds none.
std::optional<EntryReader> openSameNamedDictionary(const Archive& archive, const std::string& modelName);

// The path of the file beside `modelPath` named like it with the extension ".txd"; nothing
// when the folder holds none.
std::optional<std::string> dictionaryBeside(const std::string& modelPath);

// Opens a loose dictionary file, all of it.
EntryReader openDictionaryFile(const std::string& path);

}  // namespace varmelo
