#include "gui/scene/mesh_buffers.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "core/view/vertex_weld.h"
#include "gui/scene/mesh.h"
#include "gui/scene/scene_shaders.h"

namespace varmelo::gui::scene {

namespace {

QOpenGLFunctions& gl() { return *QOpenGLContext::currentContext()->functions(); }

template <class T>
void upload(GlBuffer& buffer, const std::vector<T>& data) {
    buffer.upload(data.data(), data.size() * sizeof(T));
}

void pointAt(GlBuffer& buffer, ShaderAttribute attribute, int size, GLenum type, bool normalised = false) {
    buffer.bind();
    gl().glVertexAttribPointer(attribute, size, type, normalised ? GL_TRUE : GL_FALSE, 0, nullptr);
}

// Colours go over as bytes: a quarter of the memory the vertex stage reads, and no visible
// loss on an 8-bit framebuffer.
std::vector<std::uint8_t> colourBytes(const std::vector<float>& rgba) {
    std::vector<std::uint8_t> bytes(rgba.size());
    for (std::size_t i = 0; i < rgba.size(); ++i)
        bytes[i] = std::uint8_t(std::lround(std::clamp(rgba[i], 0.0f, 1.0f) * 255.0f));
    return bytes;
}

}  // namespace

void MeshBuffers::sync(const Mesh& mesh) {
    const bool newColours = colourRevision_ != mesh.colourRevision();
    if (geometryRevision_ != mesh.geometryRevision() || (newColours && !coloursFitWeld(mesh))) {
        if (mesh.indexed()) sendIndexed(mesh);
        else weld(mesh);
        geometryRevision_ = mesh.geometryRevision();
        colourRevision_ = 0;
    }
    if (mesh.usesVertexColours() && colourRevision_ != mesh.colourRevision()) {
        uploadColours(mesh);
        colourRevision_ = mesh.colourRevision();
    }
}

void MeshBuffers::sendIndexed(const Mesh& mesh) {
    entries_ = mesh.entryCount() / 3 * 3;
    auto send = [&](GlBuffer& buffer, const std::vector<float>& stream) {
        if (stream.empty()) buffer.destroy();
        else upload(buffer, stream);
    };
    send(positions_, mesh.positions());
    send(normals_, mesh.normals());
    send(texCoords_, mesh.texCoords());
    if (mesh.tints().empty()) tints_.destroy();
    else upload(tints_, colourBytes(mesh.tints()));
    upload(indices_, mesh.indices());
    shortIndices_ = true;
    sources_.clear();
    entryVertex_.clear();
}

void MeshBuffers::weld(const Mesh& mesh) {
    shortIndices_ = false;
    entries_ = mesh.vertexCount() / 3 * 3;
    const auto entries = std::size_t(mesh.vertexCount());
    // The colours are welded too, whether drawn now or not, so that the vertices stay right
    // when they are.
    WeldedVertices welded = weldVertices(entries, {mesh.positions(), mesh.normals(), mesh.colours(), mesh.texCoords()});
    auto send = [&](GlBuffer& buffer, const std::vector<float>& stream, std::size_t width) {
        if (stream.empty()) buffer.destroy();
        else if (welded.sources.size() == entries) upload(buffer, stream);
        else upload(buffer, gatherVertices<float>(stream, width, welded.sources));
    };
    send(positions_, mesh.positions(), 3);
    send(normals_, mesh.normals(), 3);
    send(texCoords_, mesh.texCoords(), 2);
    tints_.destroy();
    if (welded.sources.size() == entries) {
        indices_.destroy();
        sources_.clear();
        entryVertex_.clear();
    } else {
        upload(indices_, welded.indices);
        sources_ = std::move(welded.sources);
        entryVertex_ = std::move(welded.indices);
    }
}

bool MeshBuffers::coloursFitWeld(const Mesh& mesh) const {
    const std::vector<float>& c = mesh.colours();
    if (entryVertex_.empty()) return true;
    if (c.size() != entryVertex_.size() * 4) return false;
    for (std::size_t e = 0; e < entryVertex_.size(); ++e)
        if (std::memcmp(&c[e * 4], &c[std::size_t(sources_[entryVertex_[e]]) * 4], 4 * sizeof(float)) != 0)
            return false;
    return true;
}

void MeshBuffers::uploadColours(const Mesh& mesh) {
    std::vector<float> gathered;
    if (!sources_.empty()) gathered = gatherVertices<float>(mesh.colours(), 4, sources_);
    upload(colours_, colourBytes(sources_.empty() ? mesh.colours() : gathered));
}

void MeshBuffers::bindPositionsAndNormals() {
    pointAt(positions_, kPosition, 3, GL_FLOAT);
    if (normals_.exists()) pointAt(normals_, kNormal, 3, GL_FLOAT);
}

void MeshBuffers::bindColours() { pointAt(colours_, kColour, 4, GL_UNSIGNED_BYTE, true); }

bool MeshBuffers::bindTints() {
    if (!tints_.exists()) return false;
    pointAt(tints_, kTint, 4, GL_UNSIGNED_BYTE, true);
    return true;
}

bool MeshBuffers::bindTexCoords() {
    if (!texCoords_.exists()) return false;
    pointAt(texCoords_, kTexCoord, 2, GL_FLOAT);
    return true;
}

void MeshBuffers::draw(int first, int count) {
    if (!indices_.exists()) {
        gl().glDrawArrays(GL_TRIANGLES, first, count);
        return;
    }
    indices_.bind();
    const std::size_t size = shortIndices_ ? sizeof(std::uint16_t) : sizeof(std::uint32_t);
    gl().glDrawElements(GL_TRIANGLES, count, shortIndices_ ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                        reinterpret_cast<const void*>(std::size_t(first) * size));
}

}  // namespace varmelo::gui::scene
