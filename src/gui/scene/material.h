#pragma once
// Surface settings of a scene item, in the terms of the classic lighting model the scene's
// shaders work out per vertex (see scene_shaders.h).
#include <array>

namespace varmelo::gui::scene {

using Rgba = std::array<float, 4>;

struct Material {
    // An opaque, lit light grey: what collision spheres, boxes and uncoloured meshes get.
    Rgba ambient{0.2f, 0.2f, 0.2f, 1.0f};
    Rgba diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    Rgba specular{0.0f, 0.0f, 0.0f, 1.0f};
    Rgba emission{0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    // Polygons drawn as their outlines, front and back.
    bool wireframe = false;
    // Mixed into what lies behind by the diffuse alpha; drawn after the opaque items and
    // without writing depth, so they never hide each other.
    bool blended = false;

    // The outline the collision view draws around a record's bounding sphere and box: red,
    // mostly see-through lines with a strong red glow so they read on a white background.
    static Material redWireframe() {
        Material m;
        m.diffuse = {1.0f, 0.0f, 0.0f, 0.3f};
        m.emission = {200.0f / 255.0f, 0.0f, 0.0f, 1.0f};
        m.wireframe = true;
        m.blended = true;
        return m;
    }
};

}  // namespace varmelo::gui::scene
