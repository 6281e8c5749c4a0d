#pragma once
// The programs the scene is drawn with: one GLSL source, compiled once for each combination
// of features a draw asks for. The lighting is the classic per-vertex model (emission, the
// scene's ambient light, one point light's ambient, diffuse and specular parts, colours clamped
// per vertex) worked out in the vertex shader, so the pictures stay those of the fixed-function
// pipeline the views used to draw with. Flat faces without vertex normals are lit by the same
// terms in the fragment shader, from the face's own plane.
//
// A new input of the materials (a second set of vertex colours, an environment map) is one
// more flag here, an attribute or uniform, and one more block of the source; the programs
// that do not ask for it stay as they are.
#include <QOpenGLShaderProgram>
#include <map>
#include <memory>

namespace varmelo::gui::scene {

struct ShaderFeatures {
    // The colour attribute (an array, or one value for the whole draw) stands in for the
    // material's ambient and diffuse colours.
    bool colourMaterial = false;
    // The texCoord attribute and a picture on unit 0 that multiplies the lit colour.
    bool textured = false;
    // Back faces lit as seen from their own side.
    bool twoSided = false;
    // Fragments of no alpha at all leave no trace.
    bool alphaTest = false;
    // Lines outlining faces: each takes its side from the faceNormal attribute.
    bool outline = false;
    // The scene's light is on. With it, the terms of the lighting that add something (a
    // specular colour in the material and the light; a light that fades with distance): the
    // vertex stage is most of a frame's cost on a software rasteriser, so what would add
    // nothing is left out.
    bool lit = false;
    bool specular = false;
    bool attenuated = false;
    // No normal attribute: each face is lit by its own plane, per fragment, as it is drawn.
    bool flatNormals = false;
    // The tint attribute multiplies the finished colour (a model's prelight).
    bool tinted = false;
    // A reflection on unit 1 added to the colour: the environment map looked up by the
    // surface's eye-space normal (a sphere map: (n.x, n.y) / 2 + 1/2), times envCoefficient.
    bool envMapped = false;

    unsigned key() const {
        return unsigned(colourMaterial) | unsigned(textured) << 1 | unsigned(twoSided) << 2 |
               unsigned(alphaTest) << 3 | unsigned(outline) << 4 | unsigned(lit) << 5 |
               unsigned(specular) << 6 | unsigned(attenuated) << 7 | unsigned(flatNormals) << 8 |
               unsigned(tinted) << 9 | unsigned(envMapped) << 10;
    }
};

// The same location in every program, so buffers bind the same way whichever program draws.
enum ShaderAttribute : unsigned { kPosition = 0, kNormal, kColour, kTexCoord, kFaceNormal, kTint, kAttributeCount };

// Where each uniform of a program lives (-1 where that program has none).
struct ShaderUniforms {
    int modelView = -1, projection = -1, normalMatrix = -1;
    int materialAmbient = -1, materialDiffuse = -1, materialSpecular = -1, materialEmission = -1, shininess = -1;
    int sceneAmbient = -1, lightPosition = -1, lightAmbient = -1, lightDiffuse = -1,
        lightSpecular = -1, lightAttenuation = -1;
    int envCoefficient = -1;
};

struct ShaderProgram {
    QOpenGLShaderProgram program;
    ShaderUniforms uniforms;
    // The frame and the item whose values the program holds now.
    std::uint64_t frame = 0;
    std::uint64_t item = 0;
};

class SceneShaders {
public:
    SceneShaders() = default;
    SceneShaders(const SceneShaders&) = delete;
    SceneShaders& operator=(const SceneShaders&) = delete;
    // With the context current.
    ~SceneShaders();

    // Built on first use; null (after one warning) when the driver refuses the source.
    ShaderProgram* program(const ShaderFeatures& features);

private:
    std::map<unsigned, std::unique_ptr<ShaderProgram>> programs_;
};

}  // namespace varmelo::gui::scene
