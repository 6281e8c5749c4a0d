#pragma once
// Pictures in a folder that stand for a dictionary's textures: a file whose name without its
// extension is a texture's name (ASCII case ignored) and whose extension is one the program
// reads. What "import from a folder" replaces; it never adds a texture.
#include <cstddef>
#include <string>
#include <vector>

#include "core/texture/texture_dictionary.h"

namespace varmelo {

// ".png", ".jpg", ".jpeg", ".bmp", ".tga" or ".dds", ASCII case ignored.
bool isPictureFileName(const std::string& name);

struct PictureForTexture {
    size_t texture = 0;
    std::string file;  // path inside the folder
};

// In texture order. FileError "File not found: <dir>" for a missing folder; UsageError
// "both a.png and A.bmp are pictures for texture 'a'" when two files name one texture.
std::vector<PictureForTexture> picturesForTextures(const TextureDictionary& d, const std::string& dir);

}  // namespace varmelo
