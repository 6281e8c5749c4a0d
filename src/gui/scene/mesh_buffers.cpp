#include "gui/scene/mesh_buffers.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/scene/mesh.h"
#include "gui/scene/scene_shaders.h"

namespace varmelo::gui::scene {

namespace {

template <class T>
void upload(GlBuffer& buffer, const std::vector<T>& data) {
    buffer.upload(data.data(), data.size() * sizeof(T));
}

void pointAt(GlBuffer& buffer, ShaderAttribute attribute, int size, GLenum type, bool normalised = false) {
    QOpenGLFunctions* f = QOpenGLContext::currentContext()->functions();
    buffer.bind();
    f->glVertexAttribPointer(attribute, size, type, normalised ? GL_TRUE : GL_FALSE, 0, nullptr);
}

}  // namespace

void MeshBuffers::sync(const Mesh& mesh) {
    if (geometryRevision_ != mesh.geometryRevision()) {
        upload(positions_, mesh.positions());
        upload(normals_, mesh.normals());
        if (!mesh.texCoords().empty()) upload(texCoords_, mesh.texCoords());
        else texCoords_.destroy();
        count_ = mesh.vertexCount() / 3 * 3;
        geometryRevision_ = mesh.geometryRevision();
    }
    if (mesh.usesVertexColours() && colourRevision_ != mesh.colourRevision()) {
        // Colours go over as bytes: a quarter of the memory the vertex stage reads, and no
        // visible loss on an 8-bit framebuffer.
        const std::vector<float>& rgba = mesh.colours();
        std::vector<std::uint8_t> bytes(rgba.size());
        for (std::size_t i = 0; i < rgba.size(); ++i)
            bytes[i] = std::uint8_t(std::lround(std::clamp(rgba[i], 0.0f, 1.0f) * 255.0f));
        upload(colours_, bytes);
        colourRevision_ = mesh.colourRevision();
    }
}

void MeshBuffers::bindPositionsAndNormals() {
    pointAt(positions_, kPosition, 3, GL_FLOAT);
    pointAt(normals_, kNormal, 3, GL_FLOAT);
}

void MeshBuffers::bindColours() { pointAt(colours_, kColour, 4, GL_UNSIGNED_BYTE, true); }

bool MeshBuffers::bindTexCoords() {
    if (!texCoords_.exists()) return false;
    pointAt(texCoords_, kTexCoord, 2, GL_FLOAT);
    return true;
}

}  // namespace varmelo::gui::scene
