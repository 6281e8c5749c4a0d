#pragma once
// A mesh's arrays as last sent to the GL, one buffer each, so that new colours send only
// colours and a fill colour sends nothing at all.
#include <cstdint>

#include "gui/scene/gl_objects.h"

namespace varmelo::gui::scene {

class Mesh;

class MeshBuffers {
public:
    // Sends what changed in the mesh since the last call.
    void sync(const Mesh& mesh);

    // Each points its attribute location at its buffer (the caller enables the arrays).
    void bindPositionsAndNormals();
    void bindColours();
    // False when the mesh has no texture coordinates.
    bool bindTexCoords();

    int vertexCount() const { return count_; }

private:
    GlBuffer positions_, normals_, colours_, texCoords_;
    std::uint64_t geometryRevision_ = 0;
    std::uint64_t colourRevision_ = 0;
    int count_ = 0;
};

}  // namespace varmelo::gui::scene
