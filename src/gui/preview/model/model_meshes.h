#pragma once
// Fills the model view's meshes from the core's part meshes: the plain silver look, and the
// game look with one drawing range per material, textured where the dictionary had the
// material's texture. The arrays are handed over as they are, not copied.
#include <map>
#include <string>
#include <vector>

#include "core/view/model_textures.h"
#include "core/view/part_mesh.h"
#include "gui/scene/texture.h"

namespace varmelo::gui {

namespace scene {
class Mesh;
}

// The textures of one model, made once per model and dictionary so that a view uploads each
// one once; keyed by the upper-case name.
class ModelTextureSet {
public:
    ModelTextureSet() = default;
    explicit ModelTextureSet(const ModelTextures& textures);
    // The texture of that name (any case); null when the dictionary did not have it.
    scene::TexturePtr find(const std::string& name) const;
    size_t size() const { return byName_.size(); }

private:
    std::map<std::string, scene::TexturePtr> byName_;
};

// Silver all over: the colour is the mesh's material, one for the whole part.
void fillSilverMesh(scene::Mesh& mesh, PartMesh part);

// Each material range its own drawing range in the material's colour: textured when its
// material names a texture the set holds, blended when that texture or the colour has alpha,
// with its reflection where the set holds its environment map; the prelight (by `night`, the
// night colours where there are any) multiplies it all.
void fillGameMesh(scene::Mesh& mesh, PartMesh part, const ModelTextureSet& textures, bool night);

}  // namespace varmelo::gui
