#include "core/model/frame_space.h"

namespace varmelo {

int frameParent(const std::vector<DffFrame>& frames, int frame) {
    if (frame < 0 || size_t(frame) >= frames.size()) return -1;
    const int parent = frames[size_t(frame)].parent;
    return parent >= 0 && parent < frame ? parent : -1;
}

std::vector<Mat4> frameWorldMatrices(const std::vector<DffFrame>& frames) {
    std::vector<Mat4> world;
    world.reserve(frames.size());
    // A parent always comes before its child, so its matrix is ready when the child needs it.
    for (size_t i = 0; i < frames.size(); ++i) {
        const DffFrame& f = frames[i];
        const Mat4 own = Mat4::frame(f.right, f.up, f.at, f.position);
        const int parent = frameParent(frames, int(i));
        world.push_back(parent < 0 ? own : world[size_t(parent)] * own);
    }
    return world;
}

}  // namespace varmelo
