#pragma once
// inspect and export for models (.dff) and collision files (.col).
#include <optional>
#include <string>
#include <vector>

#include "core/io/entry_reader.h"

namespace varmelo::cli {

// What the entry holds, as JSON or as a readable summary; `error` gets the failure that cut
// reading short (what was read is still printed).
std::string inspectModel(EntryReader& entry, bool json, std::string& error);
std::string inspectCollision(EntryReader& entry, bool json, std::string& error);

// Writes the model as Wavefront OBJ; throws on a model that cannot be read.
void exportModelObj(EntryReader& entry, const std::string& output);

// Writes the model as glTF (.glb or .gltf by the output's name) with the textures the
// dictionary holds, none without one; returns the texture names not found.
std::vector<std::string> exportModelGltf(EntryReader& entry, std::optional<EntryReader> dictionary,
                                         const std::string& output);

}  // namespace varmelo::cli
