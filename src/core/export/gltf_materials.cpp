#include "core/export/gltf_materials.h"

#include <tiny_gltf.h>

#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/texture/png_writer.h"

namespace varmelo {

const GltfMaterials::Texture& GltfMaterials::textureFor(const std::string& name) {
    const std::string key = asciiUpper(name);
    if (auto it = texturesByName_.find(key); it != texturesByName_.end()) return it->second;
    Texture& t = texturesByName_[key];
    const Image* image = textures_.find(name);
    if (!image || image->empty()) return t;

    bool clear = false, between = false;
    for (size_t i = 3; i < image->bgra.size(); i += 4) {
        clear = clear || image->bgra[i] == 0;
        between = between || (image->bgra[i] != 0 && image->bgra[i] != 255);
    }
    t.coverage = between ? Coverage::Translucent : clear ? Coverage::CutOut : Coverage::Solid;
    std::vector<uint8_t> png;
    try {
        png = EncodePng(*image, t.coverage != Coverage::Solid);
    } catch (const FormatError&) {
        return t;  // a picture libpng refuses leaves the material untextured
    }

    if (sampler_ < 0) {
        tinygltf::Sampler s;
        s.magFilter = TINYGLTF_TEXTURE_FILTER_LINEAR;
        s.minFilter = TINYGLTF_TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR;
        model_.samplers.push_back(s);
        sampler_ = int(model_.samplers.size() - 1);
    }
    tinygltf::Texture texture;
    texture.sampler = sampler_;
    texture.source = buffer_.addPng(std::move(png), cp1251ToUtf8(name));
    model_.textures.push_back(texture);
    t.index = int(model_.textures.size() - 1);
    return t;
}

int GltfMaterials::materialFor(const DffMaterial& m, bool withTexCoords) {
    // A texture on a primitive without texture coordinates is invalid glTF: such a primitive
    // gets the material's colour alone, leaving the textured material to those that have them.
    const std::string texture = m.textured && withTexCoords ? m.texture : std::string();
    const auto key = std::make_tuple(m.colour, asciiUpper(texture));
    if (auto it = materials_.find(key); it != materials_.end()) return it->second;

    tinygltf::Material out;
    if (texture.empty()) {
        // Appended: a literal put before a temporary string makes GCC 12 at -O3 warn of
        // overlapping copies (-Wrestrict) that cannot happen.
        out.name = "material ";
        out.name += std::to_string(model_.materials.size());
    } else {
        out.name = cp1251ToUtf8(texture);
    }
    auto& pbr = out.pbrMetallicRoughness;
    pbr.baseColorFactor = {m.colour[0] / 255.0, m.colour[1] / 255.0, m.colour[2] / 255.0, m.colour[3] / 255.0};
    pbr.metallicFactor = 0;
    Coverage coverage = m.colour[3] < 255 ? Coverage::Translucent : Coverage::Solid;
    if (!texture.empty()) {
        const Texture& t = textureFor(texture);
        if (t.index >= 0) {
            pbr.baseColorTexture.index = t.index;
            coverage = std::max(coverage, t.coverage);
        }
    }
    out.alphaMode = coverage == Coverage::Translucent ? "BLEND" : coverage == Coverage::CutOut ? "MASK" : "OPAQUE";
    out.doubleSided = coverage != Coverage::Solid;
    model_.materials.push_back(std::move(out));
    const int index = int(model_.materials.size() - 1);
    materials_[key] = index;
    return index;
}

}  // namespace varmelo
