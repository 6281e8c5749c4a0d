#include "gui/scene/solid_buffers.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cstddef>

#include "gui/scene/scene_shaders.h"

namespace varmelo::gui::scene {

namespace {

QOpenGLFunctions& gl() { return *QOpenGLContext::currentContext()->functions(); }

void pointAt(ShaderAttribute attribute, std::size_t stride, std::size_t offset) {
    gl().glVertexAttribPointer(attribute, 3, GL_FLOAT, GL_FALSE, GLsizei(stride),
                               reinterpret_cast<const void*>(offset));
}

}  // namespace

SolidBuffers::SolidBuffers(const SolidMesh& mesh)
    : indexCount_(int(mesh.triangles.size())), outlineCount_(int(mesh.outline.size())) {
    static_assert(sizeof(SolidVertex) == 6 * sizeof(float) && sizeof(OutlineVertex) == 9 * sizeof(float));
    vertices_.upload(mesh.vertices.data(), mesh.vertices.size() * sizeof(SolidVertex));
    indices_.upload(mesh.triangles.data(), mesh.triangles.size() * sizeof(std::uint32_t));
    outline_.upload(mesh.outline.data(), mesh.outline.size() * sizeof(OutlineVertex));
}

void SolidBuffers::drawFilled() {
    vertices_.bind();
    pointAt(kPosition, sizeof(SolidVertex), offsetof(SolidVertex, position));
    pointAt(kNormal, sizeof(SolidVertex), offsetof(SolidVertex, normal));
    indices_.bind();
    gl().glDrawElements(GL_TRIANGLES, indexCount_, GL_UNSIGNED_INT, nullptr);
}

void SolidBuffers::drawOutline() {
    outline_.bind();
    pointAt(kPosition, sizeof(OutlineVertex), offsetof(OutlineVertex, position));
    pointAt(kNormal, sizeof(OutlineVertex), offsetof(OutlineVertex, normal));
    pointAt(kFaceNormal, sizeof(OutlineVertex), offsetof(OutlineVertex, faceNormal));
    gl().glDrawArrays(GL_LINES, 0, outlineCount_);
}

}  // namespace varmelo::gui::scene
