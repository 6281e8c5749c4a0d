#include "core/view/clump_as_shown.h"

#include "core/model/frame_space.h"

namespace varmelo {

namespace {

// A frame under `parent` that turns and scales what hangs from it.
DffFrame placementFrame(const DffPart& part, PartPlacement at) {
    DffFrame f;
    f.name = part.caption;
    f.parent = at.frame;
    const float xy = at.turned ? -at.scale : at.scale;
    f.right = {xy, 0, 0};
    f.up = {0, xy, 0};
    f.at = {0, 0, at.scale};
    return f;
}

bool asStored(const DffPart& part, PartPlacement at) { return at == PartPlacement{part.frame, false, 1}; }

}  // namespace

DffClump clumpAsShown(const DffClump& clump, const std::vector<bool>& shown, const WheelSizes& sizes) {
    DffClump out = clump;
    out.atomics.clear();
    const std::vector<DffPart> parts = dffParts(clump);
    for (size_t i = 0; i < parts.size() && i < clump.atomics.size(); ++i) {
        if (i < shown.size() && !shown[i]) continue;
        const DffPart& part = parts[i];
        if (!part.placed()) {
            out.atomics.push_back(clump.atomics[i]);
            continue;
        }
        for (const PartPlacement& at : gameViewPlacements(clump, part, sizes)) {
            if (asStored(part, at)) {
                out.atomics.push_back(clump.atomics[i]);
                continue;
            }
            out.frames.push_back(placementFrame(part, at));
            out.atomics.push_back({int32_t(out.frames.size() - 1), part.geometry});
        }
    }
    out.atomicCount = uint32_t(out.atomics.size());
    out.world = frameWorldMatrices(out.frames);
    return out;
}

}  // namespace varmelo
