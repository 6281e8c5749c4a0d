#include "core/view/model_dictionary.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/io/file_system.h"
#include "core/view/model_textures.h"
#include "core/archive/open_entry.h"

namespace varmelo {

std::optional<EntryReader> openSameNamedDictionary(const Archive& archive, const std::string& modelName) {
    std::vector<std::string> names;
    names.reserve(archive.Entries.size());
    for (const TEntryRec& e : archive.Entries) names.push_back(e.Name);
    const auto index = sameNamedDictionary(names, modelName);
    if (!index) return std::nullopt;
    return openEntryReader(archive, archive.Entries[*index]);
}

std::optional<std::string> dictionaryBeside(const std::string& modelPath) {
    const std::filesystem::path model(modelPath);
    const std::filesystem::path folder = model.has_parent_path() ? model.parent_path() : std::filesystem::path(".");
    std::error_code ec;
    std::vector<std::string> names;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());  // the same choice whatever order the folder lists
    if (const auto index = sameNamedDictionary(names, model.filename().string()))
        return (folder / names[*index]).string();
    return std::nullopt;
}

EntryReader openDictionaryFile(const std::string& path) { return EntryReader::open(path, 0, fileSize(path)); }

}  // namespace varmelo
