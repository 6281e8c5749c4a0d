#include "core/texture/picture_folder.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

namespace {

std::string stemOf(const std::string& file) {
    const std::string name = fileNameOf(file);
    return name.substr(0, name.size() - extensionOf(name).size());
}

}  // namespace

bool isPictureFileName(const std::string& name) {
    static const char* const kinds[] = {".png", ".jpg", ".jpeg", ".bmp", ".tga", ".dds"};
    const std::string ext = asciiLower(extensionOf(name));
    return std::any_of(std::begin(kinds), std::end(kinds), [&](const char* k) { return ext == k; });
}

std::vector<PictureForTexture> picturesForTextures(const TextureDictionary& d, const std::string& dir) {
    if (!directoryExists(dir)) throw FileError(std::string(kFileNotFound) + ": " + dir);
    std::vector<std::string> inDir;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) inDir.push_back(e.path().string());
    if (ec) throw FileError(std::string(kAccessDenied) + ": " + dir);
    // Sorted, so which of two clashing files is named first does not depend on the folder.
    std::sort(inDir.begin(), inDir.end());
    std::map<size_t, std::string> chosen;
    for (const std::string& file : inDir) {
        if (!fileExists(file) || !isPictureFileName(file)) continue;
        const auto name = utf8ToCp1251(stemOf(file));
        const auto i = name ? d.find(*name) : std::nullopt;
        if (!i) continue;
        if (chosen.count(*i))
            throw UsageError("both " + chosen[*i] + " and " + file + " are pictures for texture '" +
                             cp1251ToUtf8(d.textures()[*i].info.Name) + "'");
        chosen[*i] = file;
    }
    std::vector<PictureForTexture> out;
    for (const auto& [i, file] : chosen) out.push_back({i, file});
    return out;
}

}  // namespace varmelo
