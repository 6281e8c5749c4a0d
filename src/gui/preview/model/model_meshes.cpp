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

void fillSilverMesh(scene::Mesh& mesh, const std::vector<ModelVertex>& vertices) {
    std::vector<float> positions, normals, colours;
    positions.reserve(vertices.size() * 3);
    normals.reserve(vertices.size() * 3);
    colours.reserve(vertices.size() * 4);
    for (const ModelVertex& v : vertices) {
        positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
        normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
        colours.insert(colours.end(), {v.colour.r, v.colour.g, v.colour.b, v.colour.a});
    }
    mesh.setVertexMode(scene::Mesh::VertexMode::PositionNormalColour);
    mesh.setTriangles(std::move(positions), std::move(normals), std::move(colours));
}

void fillGameMesh(scene::Mesh& mesh, const std::vector<MaterialVertices>& groups, const ModelTextureSet& textures) {
    size_t total = 0;
    for (const MaterialVertices& g : groups) total += g.vertices.size();
    std::vector<float> positions, normals, colours, texCoords;
    positions.reserve(total * 3);
    normals.reserve(total * 3);
    colours.reserve(total * 4);
    texCoords.reserve(total * 2);
    std::vector<scene::MeshRange> ranges;
    for (const MaterialVertices& g : groups) {
        scene::MeshRange r;
        r.first = int(positions.size() / 3);
        r.count = int(g.vertices.size());
        if (!g.texture.empty()) r.texture = textures.find(g.texture);
        r.blended = g.colour.a < 1.0f || (r.texture && r.texture->hasAlpha());
        ranges.push_back(std::move(r));
        for (const TexturedVertex& v : g.vertices) {
            positions.insert(positions.end(), {v.position.x, v.position.y, v.position.z});
            normals.insert(normals.end(), {v.normal.x, v.normal.y, v.normal.z});
            colours.insert(colours.end(), {v.colour.r, v.colour.g, v.colour.b, v.colour.a});
            texCoords.insert(texCoords.end(), {v.texCoord.x, v.texCoord.y});
        }
    }
    mesh.setVertexMode(scene::Mesh::VertexMode::PositionNormalColour);
    mesh.setTriangles(std::move(positions), std::move(normals), std::move(colours));
    mesh.setTexturing(std::move(texCoords), std::move(ranges));
}

}  // namespace varmelo::gui
