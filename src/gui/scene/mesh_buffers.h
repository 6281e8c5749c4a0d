#pragma once
// A mesh's arrays as last sent to the GL, one buffer each, so that new colours send only
// colours and a fill colour sends nothing at all. Entries equal in every attribute go over
// once, with an index buffer saying which vertex each entry is; a list that shares nothing
// goes over as it is, without one. An indexed mesh goes over as it is, with its own indices.
#include <cstdint>
#include <vector>

#include "gui/scene/gl_objects.h"

namespace varmelo::gui::scene {

class Mesh;

class MeshBuffers {
public:
    // Sends what changed in the mesh since the last call.
    void sync(const Mesh& mesh);

    // Each points its attribute location at its buffer (the caller enables the arrays).
    // Normals only where the mesh has them (not for flat faces).
    void bindPositionsAndNormals();
    void bindColours();
    // False when the mesh has no texture coordinates.
    bool bindTexCoords();
    // False when the mesh has no tints.
    bool bindTints();

    // Entries [first, first + count) as triangles.
    void draw(int first, int count);
    int entryCount() const { return entries_; }

private:
    void weld(const Mesh& mesh);
    void sendIndexed(const Mesh& mesh);
    bool coloursFitWeld(const Mesh& mesh) const;
    void uploadColours(const Mesh& mesh);

    GlBuffer positions_, normals_, colours_, texCoords_, tints_;
    GlBuffer indices_{QOpenGLBuffer::IndexBuffer};
    // For each vertex sent, the entry it was taken from; empty when every entry is sent.
    std::vector<std::uint32_t> sources_;
    std::vector<std::uint32_t> entryVertex_;
    std::uint64_t geometryRevision_ = 0;
    std::uint64_t colourRevision_ = 0;
    int entries_ = 0;
    bool shortIndices_ = false;
};

}  // namespace varmelo::gui::scene
