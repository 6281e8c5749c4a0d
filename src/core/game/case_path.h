#pragma once
// Paths named inside the game's own files are Windows paths ("DATA\MAPS\LA\LAE.IDE"); on a
// Linux disk the files rarely carry the same letter case. Every such path is found here.
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varmelo {

// The file or folder `relative` names under `base`, each component (separated by '\' or '/')
// matched ignoring ASCII case, as the path found on disk: `base` + "/" + the real names.
// A path that exists as written, or all in lower case (how most copies of a game on Linux are
// spelt), is taken whole; otherwise each component is matched on its own, the exact name
// winning over others differing in case, else the smallest of those. Nothing when a component
// is missing or when the path climbs out with "..": a path from a game file never leaves the
// game folder.
std::optional<std::string> resolveIgnoringCase(const std::string& base, const std::string& relative);

// The same for many paths under one base: each folder is listed once and remembered, as a
// game's hundred IDE files share a few folders. For one reading; later changes on disk are
// not seen.
class CaseResolver {
public:
    explicit CaseResolver(std::string base) : base_(std::move(base)) {}
    std::optional<std::string> resolve(const std::string& relative);

private:
    // A folder's names keyed by their lower-case form; the real names sorted.
    using Listing = std::map<std::string, std::vector<std::string>>;
    const Listing* listing(const std::string& folder);
    std::string base_;
    std::map<std::string, std::optional<Listing>> folders_;
};

// The path as a key: ASCII lower case, '\' turned into '/', no empty or "." components.
std::string pathKey(const std::string& relative);

}  // namespace varmelo
