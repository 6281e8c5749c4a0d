#pragma once
// Draws a Scene into the framebuffer bound at the time, on shaders: the camera's view and
// projection, the scene's light and each item's material go to the programs as uniforms;
// meshes, spheres and boxes come from buffer objects, one draw call per material range.
// Opaque items are drawn first, then the blended ones (and the blended ranges of opaque
// meshes) over them without writing depth.
//
// It holds every GL object the drawing needs: made with the context current, freed with it
// current. The view it draws for keeps the window, the mouse and the framebuffers.
#include <QMatrix4x4>
#include <QOpenGLFunctions_2_1>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>

#include "core/math/mat4.h"
#include "gui/scene/gl_textures.h"
#include "gui/scene/mesh_buffers.h"
#include "gui/scene/scene_shaders.h"
#include "gui/scene/solid_buffers.h"

namespace varmelo::gui::scene {

class Mesh;
class Scene;
class SceneItem;
struct Material;

class SceneRenderer {
public:
    struct Options {
        // Back faces lit as seen from their own side.
        bool twoSidedLighting = false;
        // Back faces of opaque items left out.
        bool cullBackFaces = false;
    };

    explicit SceneRenderer(QOpenGLFunctions_2_1& gl);
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;
    ~SceneRenderer();

    // Into a viewport of width x height pixels, already cleared.
    void render(const Scene& scene, const Options& options, int width, int height);

private:
    // Which ranges of the meshes a pass draws: the opaque ones, the blended ones, or all.
    enum class Pass { Opaque, Blended, Whole };

    void drawItem(const SceneItem& item, Pass pass);
    void drawMesh(const Mesh& mesh, Pass pass);
    void drawSolid(SolidBuffers& solid, bool outline, Pass pass);
    SolidBuffers& sphere(int slices, int stacks);
    // What every draw of the item being drawn asks of the shaders in this pass.
    ShaderFeatures itemFeatures(Pass pass) const;
    // Binds the program for these features, with this frame's and this item's uniforms.
    ShaderProgram* use(const ShaderFeatures& features);
    // Enables exactly the attribute arrays in the mask (bit n for location n).
    void enableArrays(unsigned mask);

    QOpenGLFunctions_2_1& gl_;
    SceneShaders shaders_;
    SolidBuffers box_;
    std::map<std::pair<int, int>, std::unique_ptr<SolidBuffers>> spheres_;
    std::unordered_map<std::uint64_t, MeshBuffers> meshes_;
    GlTextures textures_;

    // What the frame being drawn and its item being drawn give the programs.
    struct FrameState {
        std::uint64_t serial = 0;
        Options options;
        QMatrix4x4 view;
        QMatrix4x4 projection;
    } frame_;
    struct ItemState {
        std::uint64_t serial = 0;
        QMatrix4x4 modelView;
        Mat3 normalMatrix;
        const Material* material = nullptr;
    } item_;
    ShaderProgram* current_ = nullptr;
    unsigned enabledArrays_ = 0;
    const Scene* scene_ = nullptr;
};

}  // namespace varmelo::gui::scene
