#pragma once
// One of the core's unit solids in the GL: a vertex and an index buffer for the filled solid,
// a buffer of line ends for its outline. Made once per view and shared by every sphere or box
// of that shape, each scaled by its own transform.
#include "core/view/solid_meshes.h"
#include "gui/scene/gl_objects.h"

namespace varmelo::gui::scene {

class SolidBuffers {
public:
    // With the context current.
    explicit SolidBuffers(const SolidMesh& mesh);

    // Point the position and normal locations at the buffers and draw (the caller enables
    // the arrays, faceNormal included for the outline).
    void drawFilled();
    void drawOutline();

private:
    GlBuffer vertices_;
    GlBuffer indices_{QOpenGLBuffer::IndexBuffer};
    GlBuffer outline_;
    int indexCount_ = 0;
    int outlineCount_ = 0;
};

}  // namespace varmelo::gui::scene
