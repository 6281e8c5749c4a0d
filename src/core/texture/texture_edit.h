#pragma once
// The changes a dictionary takes, as plain values: a list of them describes an edit session,
// each is cheap to copy (a picture is shared, never copied) and applying one either changes
// the dictionary or throws and leaves it as it was.
#include <memory>
#include <string>
#include <variant>

#include "core/texture/texture_dictionary.h"

namespace varmelo {

struct AddTexture {
    std::string name;
    std::shared_ptr<const Image> picture;
    EncodeOptions options;
    KeptMipmaps kept;
};
struct ReplaceTexture {
    std::string name;  // the texture replaced, ASCII case ignored
    std::shared_ptr<const Image> picture;
    EncodeOptions options;
};
struct DeleteTexture {
    std::string name;
};
struct RenameTexture {
    std::string name;
    std::string newName;
};
struct SetTextureFormat {
    std::string name;
    TargetFormat format = TargetFormat::Auto;
    MipmapMode mipmaps = MipmapMode::Keep;
};

using TextureEdit = std::variant<AddTexture, ReplaceTexture, DeleteTexture, RenameTexture, SetTextureFormat>;

// Applies the edit. UsageError "there is no texture 'x' in the dictionary" when a name it
// changes is missing, and the refusals of the dictionary's own operations.
void applyEdit(TextureDictionary& d, const TextureEdit& edit);

// One line saying what the edit did, for a log or a command's output:
// "added grass: DXT1, 256 x 256, 9 levels", "deleted grass", "renamed grass to lawn".
// Called after applyEdit, on the dictionary it changed.
std::string describeEdit(const TextureDictionary& d, const TextureEdit& edit);

}  // namespace varmelo
