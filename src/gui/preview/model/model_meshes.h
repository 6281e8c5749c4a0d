#pragma once
// Fills the model view's meshes from the core's vertex lists: the plain silver look, and the
// game look with one drawing range per material, textured where the dictionary had the
// material's texture.
#include <map>
#include <string>
#include <vector>

#include "core/view/mesh_vertices.h"
#include "core/view/model_textures.h"
#include "core/view/textured_vertices.h"
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

void fillSilverMesh(scene::Mesh& mesh, const std::vector<ModelVertex>& vertices);

// The groups one after another, each its own range: textured when its material names a
// texture the set holds, blended when that texture or the material's colour has alpha.
void fillGameMesh(scene::Mesh& mesh, const std::vector<MaterialVertices>& groups, const ModelTextureSet& textures);

}  // namespace varmelo::gui
