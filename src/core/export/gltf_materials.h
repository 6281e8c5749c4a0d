#pragma once
// The materials of a glTF document, made as the primitives ask for them: one per distinct
// colour and texture name of the model, with the textures the dictionary gave embedded as
// PNG pictures (one picture per texture, however many materials use it).
#include <map>
#include <string>
#include <tuple>

#include "core/model/dff_materials.h"
#include "core/export/gltf_buffer.h"
#include "core/view/model_textures.h"

namespace varmelo {

class GltfMaterials {
public:
    GltfMaterials(tinygltf::Model& model, GltfBuffer& buffer, const ModelTextures& textures)
        : model_(model), buffer_(buffer), textures_(textures) {}

    // The glTF material for a model material, made on first use; untextured for a primitive
    // without texture coordinates.
    int materialFor(const DffMaterial& m, bool withTexCoords);

private:
    // How much a texture's alpha hides: fully solid, only clear or solid texels (a cut-out),
    // or texels in between.
    enum class Coverage { Solid, CutOut, Translucent };
    struct Texture {
        int index = -1;  // -1: the dictionary has no such texture
        Coverage coverage = Coverage::Solid;
    };
    const Texture& textureFor(const std::string& name);

    tinygltf::Model& model_;
    GltfBuffer& buffer_;
    const ModelTextures& textures_;
    std::map<std::string, Texture> texturesByName_;  // keyed by the upper-case name
    std::map<std::tuple<std::array<uint8_t, 4>, std::string>, int> materials_;
    int sampler_ = -1;
};

}  // namespace varmelo
