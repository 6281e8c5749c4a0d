#pragma once
// Paths named inside the game's own files are Windows paths ("DATA\MAPS\LA\LAE.IDE"); on a
// Linux disk the files rarely carry the same letter case. Every such path is found here.
#include <optional>
#include <string>

namespace varmelo {

// The file or folder `relative` names under `base`, each component (separated by '\' or '/')
// matched ignoring ASCII case, as the path found on disk: `base` + "/" + the real names.
// An exact match wins over one differing in case. Nothing when a component is missing or
// when the path climbs out with "..": a path from a game file never leaves the game folder.
std::optional<std::string> resolveIgnoringCase(const std::string& base, const std::string& relative);

// The path as a key: ASCII lower case, '\' turned into '/', no empty or "." components.
std::string pathKey(const std::string& relative);

}  // namespace varmelo
