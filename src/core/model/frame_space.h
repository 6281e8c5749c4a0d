#pragma once
// Where a model's frames stand: each frame's matrix in model space, worked out once per model
// from the frame list, so that placing a vertex is one matrix product however deep its chain.
#include <vector>

#include "core/math/mat4.h"
#include "core/model/dff_frame.h"

namespace varmelo {

// The parent a frame is placed by, -1 for a root. A parent index that is not lower than the
// frame's own, or out of range, makes the frame a root, so no chain can loop: the one place
// this rule lives.
int frameParent(const std::vector<DffFrame>& frames, int frame);

// Every frame's matrix in model space: its own matrix, then its parent's, up to its root.
std::vector<Mat4> frameWorldMatrices(const std::vector<DffFrame>& frames);

}  // namespace varmelo
