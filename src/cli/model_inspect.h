#pragma once
// inspect and export for models (.dff) and collision files (.col).
#include <string>

#include "core/preview/entry_reader.h"

namespace varmelo::cli {

// What the entry holds, as JSON or as a readable summary; `error` gets the failure that cut
// reading short (what was read is still printed).
std::string inspectModel(EntryReader& entry, bool json, std::string& error);
std::string inspectCollision(EntryReader& entry, bool json, std::string& error);

// Writes the model as Wavefront OBJ; throws on a model that cannot be read.
void exportModelObj(EntryReader& entry, const std::string& output);

}  // namespace varmelo::cli
