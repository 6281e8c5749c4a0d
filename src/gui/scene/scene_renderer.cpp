#include "gui/scene/scene_renderer.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "core/view/solid_meshes.h"
#include "gui/scene/scene.h"

namespace varmelo::gui::scene {

namespace {

constexpr unsigned bit(ShaderAttribute a) { return 1u << a; }

// The light every surface gets besides the scene's light: a fifth of its ambient colour, the
// GL's default the views have always been drawn with.
constexpr Rgba kSceneAmbient{0.2f, 0.2f, 0.2f, 1.0f};

Mat4 toMat4(const QMatrix4x4& q) {
    Mat4 m;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) m(row, col) = q(row, col);
    return m;
}

}  // namespace

SceneRenderer::SceneRenderer(QOpenGLFunctions_2_1& gl) : gl_(gl), box_(unitBox()), textures_(gl) {
    // The collision view's spheres, ready before its first frame.
    sphere(12, 12);
}

SceneRenderer::~SceneRenderer() {
    enableArrays(0);
    gl_.glUseProgram(0);
}

SolidBuffers& SceneRenderer::sphere(int slices, int stacks) {
    const auto key = std::make_pair(std::min(slices, kMaxSphereTessellation), std::min(stacks, kMaxSphereTessellation));
    std::unique_ptr<SolidBuffers>& s = spheres_[key];
    if (!s) s = std::make_unique<SolidBuffers>(unitSphere(key.first, key.second));
    return *s;
}

void SceneRenderer::enableArrays(unsigned mask) {
    for (unsigned a = 0; a < kAttributeCount; ++a) {
        const unsigned b = 1u << a;
        if ((mask & b) == (enabledArrays_ & b)) continue;
        if (mask & b) gl_.glEnableVertexAttribArray(a);
        else gl_.glDisableVertexAttribArray(a);
    }
    enabledArrays_ = mask;
}

ShaderProgram* SceneRenderer::use(const ShaderFeatures& features) {
    ShaderProgram* p = shaders_.program(features);
    if (!p) return nullptr;
    if (p != current_) {
        p->program.bind();
        current_ = p;
    }
    const ShaderUniforms& u = p->uniforms;
    if (p->frame != frame_.serial) {
        p->frame = frame_.serial;
        const Light& light = scene_->light();
        const QVector3D position = frame_.view.map(light.position);
        gl_.glUniformMatrix4fv(u.projection, 1, GL_FALSE, frame_.projection.constData());
        gl_.glUniform4fv(u.sceneAmbient, 1, kSceneAmbient.data());
        gl_.glUniform3f(u.lightPosition, position.x(), position.y(), position.z());
        gl_.glUniform4fv(u.lightAmbient, 1, light.ambient.data());
        gl_.glUniform4fv(u.lightDiffuse, 1, light.diffuse.data());
        gl_.glUniform4fv(u.lightSpecular, 1, light.specular.data());
        gl_.glUniform3f(u.lightAttenuation, light.constantAttenuation, light.linearAttenuation,
                        light.quadraticAttenuation);
    }
    if (p->item != item_.serial) {
        p->item = item_.serial;
        const Material& m = *item_.material;
        gl_.glUniformMatrix4fv(u.modelView, 1, GL_FALSE, item_.modelView.constData());
        gl_.glUniformMatrix3fv(u.normalMatrix, 1, GL_FALSE, item_.normalMatrix.m.data());
        gl_.glUniform4fv(u.materialAmbient, 1, m.ambient.data());
        gl_.glUniform4fv(u.materialDiffuse, 1, m.diffuse.data());
        gl_.glUniform4fv(u.materialSpecular, 1, m.specular.data());
        gl_.glUniform4fv(u.materialEmission, 1, m.emission.data());
        gl_.glUniform1f(u.shininess, m.shininess);
    }
    return p;
}

void SceneRenderer::render(const Scene& scene, const Options& options, int width, int height) {
    scene_ = &scene;
    ++frame_.serial;
    frame_.options = options;
    const Camera& camera = scene.camera();
    QVector3D centre = camera.target();
    float radius = 1.0f;
    if (!scene.bounds(centre, radius)) radius = 1.0f;
    frame_.projection = camera.projectionMatrix(width, height, centre, radius);
    frame_.view = camera.viewMatrix();

    gl_.glEnable(GL_DEPTH_TEST);
    gl_.glDepthFunc(GL_LEQUAL);
    // Back faces of solid items only: an outline shows its far side as well.
    if (options.cullBackFaces) gl_.glEnable(GL_CULL_FACE);
    else gl_.glDisable(GL_CULL_FACE);
    gl_.glCullFace(GL_BACK);
    gl_.glFrontFace(GL_CCW);

    std::unordered_set<std::uint64_t> shownMeshes;
    std::unordered_set<std::uint64_t> texturesUsed;  // by the meshes of the scene, shown or not
    for (const auto& item : scene.items()) {
        if (item->kind() == SceneItem::Kind::Mesh) {
            shownMeshes.insert(item->id());
            for (const MeshRange& r : static_cast<const Mesh&>(*item).ranges())
                if (r.texture) texturesUsed.insert(r.texture->id());
        }
        if (item->visible() && !item->material().blended) drawItem(*item, Pass::Opaque);
    }

    gl_.glDisable(GL_CULL_FACE);
    gl_.glEnable(GL_BLEND);
    // Colour is mixed by the source alpha; the window's alpha stays opaque.
    gl_.glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
    gl_.glDepthMask(GL_FALSE);
    for (const auto& item : scene.items()) {
        if (!item->visible()) continue;
        if (item->material().blended) drawItem(*item, Pass::Whole);
        else if (item->kind() == SceneItem::Kind::Mesh && static_cast<const Mesh&>(*item).hasBlendedRanges())
            drawItem(*item, Pass::Blended);
    }
    gl_.glDepthMask(GL_TRUE);
    gl_.glDisable(GL_BLEND);
    gl_.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    enableArrays(0);
    gl_.glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl_.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    gl_.glUseProgram(0);
    current_ = nullptr;

    // Buffers and textures of meshes that left the scene (a hidden part keeps its own).
    std::erase_if(meshes_, [&](const auto& entry) { return !shownMeshes.count(entry.first); });
    textures_.keepOnly(texturesUsed);
    scene_ = nullptr;
}

void SceneRenderer::drawItem(const SceneItem& item, Pass pass) {
    QMatrix4x4 model = item.transform();
    const Material& material = item.material();
    SolidBuffers* solid = nullptr;
    switch (item.kind()) {
    case SceneItem::Kind::Mesh:
        break;
    case SceneItem::Kind::Sphere: {
        const auto& s = static_cast<const Sphere&>(item);
        const float r = std::fabs(s.radius());
        if (r <= 0) return;
        model.scale(r);
        solid = &sphere(s.slices(), s.stacks());
        break;
    }
    case SceneItem::Kind::Box: {
        const QVector3D size = static_cast<const Box&>(item).size();
        model.scale(std::fabs(size.x()), std::fabs(size.y()), std::fabs(size.z()));
        solid = &box_;
        break;
    }
    }
    ++item_.serial;
    item_.modelView = frame_.view * model;
    item_.normalMatrix = toMat4(item_.modelView).normalMatrix();
    item_.material = &material;
    if (solid) drawSolid(*solid, material.wireframe, pass);
    else drawMesh(static_cast<const Mesh&>(item), pass);
}

ShaderFeatures SceneRenderer::itemFeatures(Pass pass) const {
    const Light& light = scene_->light();
    const Material& m = *item_.material;
    auto anyColour = [](const Rgba& c) { return c[0] != 0 || c[1] != 0 || c[2] != 0; };
    ShaderFeatures f;
    f.twoSided = frame_.options.twoSidedLighting;
    f.alphaTest = pass != Pass::Opaque;
    f.lit = light.enabled;
    f.specular = light.enabled && anyColour(m.specular) && anyColour(light.specular);
    f.attenuated = light.enabled && (light.constantAttenuation != 1 || light.linearAttenuation != 0 ||
                                     light.quadraticAttenuation != 0);
    return f;
}

void SceneRenderer::drawSolid(SolidBuffers& solid, bool outline, Pass pass) {
    ShaderFeatures features = itemFeatures(pass);
    features.outline = outline;
    enableArrays(bit(kPosition) | bit(kNormal) | (outline ? bit(kFaceNormal) : 0));
    if (!use(features)) return;
    gl_.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (outline) solid.drawOutline();
    else solid.drawFilled();
}

void SceneRenderer::drawMesh(const Mesh& mesh, Pass pass) {
    MeshBuffers& buffers = meshes_[mesh.id()];
    buffers.sync(mesh);
    const int entries = buffers.entryCount();
    if (entries == 0) return;

    ShaderFeatures features = itemFeatures(pass);
    features.flatNormals = mesh.flatNormals();
    unsigned arrays = bit(kPosition) | (features.flatNormals ? 0 : bit(kNormal));
    buffers.bindPositionsAndNormals();
    // A colour for the whole draw stands still in the colour attribute: a uniform in effect.
    const bool vertexColours = mesh.usesVertexColours();
    if (vertexColours) {
        features.colourMaterial = true;
        buffers.bindColours();
        arrays |= bit(kColour);
    } else if (mesh.hasFillColour()) {
        features.colourMaterial = true;
        gl_.glVertexAttrib4fv(kColour, mesh.fillRgba().data());
    }
    const bool rangeColours = !vertexColours && !mesh.hasFillColour();
    if (buffers.bindTints()) {
        features.tinted = true;
        arrays |= bit(kTint);
    }
    gl_.glPolygonMode(GL_FRONT_AND_BACK, item_.material->wireframe ? GL_LINE : GL_FILL);

    if (mesh.ranges().empty()) {
        if (pass == Pass::Blended) return;
        enableArrays(arrays);
        if (use(features)) buffers.draw(0, entries);
        return;
    }
    const bool hasTexCoords = buffers.bindTexCoords();
    for (const MeshRange& r : mesh.ranges()) {
        if (pass == Pass::Opaque && r.blended) continue;
        if (pass == Pass::Blended && !r.blended) continue;
        const int count = std::min(r.count, entries - r.first) / 3 * 3;
        if (count <= 0) continue;
        const GLuint picture = r.texture && hasTexCoords ? textures_.name(*r.texture) : 0;
        // The texel times the lit colour: the light and the vertex or fill colour act on the picture.
        ShaderFeatures range = features;
        range.textured = picture != 0;
        if (rangeColours && r.colour) {
            range.colourMaterial = true;
            gl_.glVertexAttrib4fv(kColour, r.colour->data());
        }
        const GLuint reflection = r.envTexture && r.envCoefficient > 0 ? textures_.name(*r.envTexture) : 0;
        range.envMapped = reflection != 0;
        enableArrays(range.textured ? arrays | bit(kTexCoord) : arrays);
        ShaderProgram* program = use(range);
        if (!program) continue;
        if (reflection) {
            program->program.setUniformValue(program->uniforms.envCoefficient, r.envCoefficient);
            gl_.glActiveTexture(GL_TEXTURE1);
            gl_.glBindTexture(GL_TEXTURE_2D, reflection);
            gl_.glActiveTexture(GL_TEXTURE0);
        }
        gl_.glBindTexture(GL_TEXTURE_2D, picture);
        buffers.draw(r.first, count);
    }
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace varmelo::gui::scene
