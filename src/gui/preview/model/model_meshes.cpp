#include "gui/preview/model/model_meshes.h"

#include "core/io/codepage.h"
#include "gui/scene/mesh.h"

namespace varmelo::gui {

ModelTextureSet::ModelTextureSet(const ModelTextures& textures) {
    for (const ModelTexture& t : textures.found)
        byName_.emplace(asciiUpper(t.name), std::make_shared<const scene::Texture>(t.image));
}

scene::TexturePtr ModelTextureSet::find(const std::string& name) const {
    const auto it = byName_.find(asciiUpper(name));
    return it == byName_.end() ? nullptr : it->second;
}

void fillSilverMesh(scene::Mesh& mesh, PartMesh part) {
    scene::Material m = mesh.material();
    m.ambient = m.diffuse = {kPartColour.r, kPartColour.g, kPartColour.b, kPartColour.a};
    mesh.setMaterial(m);
    mesh.setVertexMode(scene::Mesh::VertexMode::PositionNormal);
    mesh.setIndexedTriangles(std::move(part.positions), std::move(part.normals), std::move(part.indices));
}

void fillGameMesh(scene::Mesh& mesh, PartMesh part, const ModelTextureSet& textures, bool night) {
    std::vector<scene::MeshRange> ranges;
    for (const PartMeshRange& p : part.ranges) {
        scene::MeshRange r;
        r.first = int(p.first);
        r.count = int(p.count);
        if (!p.texture.empty()) r.texture = textures.find(p.texture);
        r.colour = scene::Rgba{p.colour.r, p.colour.g, p.colour.b, p.colour.a};
        r.blended = p.colour.a < 1.0f || (r.texture && r.texture->hasAlpha());
        if (!p.envTexture.empty()) r.envTexture = textures.find(p.envTexture);
        r.envCoefficient = p.envCoefficient;
        ranges.push_back(std::move(r));
    }
    mesh.setVertexMode(scene::Mesh::VertexMode::PositionNormal);
    mesh.setIndexedTriangles(std::move(part.positions), std::move(part.normals), std::move(part.indices));
    mesh.setTexturing(std::move(part.texCoords), std::move(ranges));
    // By night the night prelight where the model has one, else the day's.
    mesh.setTints(night && !part.nightColours.empty() ? std::move(part.nightColours) : std::move(part.dayColours));
}

}  // namespace varmelo::gui
