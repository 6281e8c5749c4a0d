#pragma once
// The game view's choices for a model (its record, dictionary chain, paint) as inspect prints
// them: a "game" member of the JSON object, or a few "game ..." lines of text.
#include <string>

#include "cli/json_writer.h"
#include "core/view/game_look.h"

namespace varmelo::cli {

// Writes `"game": {...}` into the object being written.
void writeGameLook(JsonWriter& w, const GameLook& look);
std::string gameLookText(const GameLook& look);

}  // namespace varmelo::cli
