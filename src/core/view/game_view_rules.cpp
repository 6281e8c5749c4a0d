#include "core/view/game_view_rules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/io/codepage.h"
#include "core/model/frame_space.h"
#include "core/view/model_textures.h"

namespace varmelo {

namespace {

// The six wheel dummies, with the side each stands on ('l' or 'r') and its axle.
struct WheelDummy {
    std::string_view name;
    char side;
    bool front;
};
constexpr std::array<WheelDummy, 6> kWheelDummies{{
    {"WHEEL_LF_DUMMY", 'l', true},
    {"WHEEL_RF_DUMMY", 'r', true},
    {"WHEEL_LB_DUMMY", 'l', false},
    {"WHEEL_RB_DUMMY", 'r', false},
    {"WHEEL_LM_DUMMY", 'l', false},
    {"WHEEL_RM_DUMMY", 'r', false},
}};

const WheelDummy* wheelDummy(const DffFrame& f) {
    const std::string upper = asciiUpper(f.name);
    for (const WheelDummy& d : kWheelDummies)
        if (upper == d.name) return &d;
    return nullptr;
}

// The side of a wheel dummy, 0 for any other frame.
char dummySide(const DffFrame& f) {
    const WheelDummy* d = wheelDummy(f);
    return d ? d->side : 0;
}

// Whether the wheel drawn at `frame` sits on a front axle: the first wheel dummy of its chain
// says; a wheel under none counts as a front wheel.
bool onFrontAxle(const std::vector<DffFrame>& frames, int frame) {
    for (int f = frame; f >= 0; f = frameParent(frames, f))
        if (const WheelDummy* d = wheelDummy(frames[size_t(f)])) return d->front;
    return true;
}

// The factor that makes the geometry `size` high (along z); 1 when either is unusable.
float scaleToHeight(const DffGeometry& g, std::optional<float> size) {
    if (!size || !(*size > 0.01f && *size < 100.0f) || g.positions.empty()) return 1;
    float low = g.positions.front().z, high = low;
    for (const Vec3& p : g.positions) {
        low = std::min(low, p.z);
        high = std::max(high, p.z);
    }
    const float height = high - low;
    return height > 1e-4f ? *size / height : 1;
}

bool endsWith(const std::string& upper, std::string_view tail) {
    return upper.size() >= tail.size() && std::string_view(upper).substr(upper.size() - tail.size()) == tail;
}

}  // namespace

bool isWheelDummy(const DffFrame& frame) { return wheelDummy(frame) != nullptr; }

bool isWheelPart(const DffClump& clump, const DffPart& part) {
    return part.frame >= 0 && sameAsciiName(clump.frames[size_t(part.frame)].name, "wheel");
}

std::vector<PartPlacement> wheelClones(const DffClump& clump, const DffPart& part) {
    std::vector<PartPlacement> out;
    if (!part.placed() || !isWheelPart(clump, part)) return out;
    const auto& frames = clump.frames;

    // The stored wheel's own dummies: the frames of the chain that places it.
    std::vector<bool> ancestor(frames.size(), false);
    char storedSide = 0;
    for (int f = part.frame; f >= 0; f = frameParent(frames, f)) {
        ancestor[size_t(f)] = true;
        if (!storedSide) storedSide = dummySide(frames[size_t(f)]);
    }
    // A wheel under no wheel dummy: its side is where it stands (+x is the right).
    if (!storedSide) storedSide = partMatrix(clump, part.frame).transformPoint(Vec3{}).x >= 0 ? 'r' : 'l';

    for (size_t i = 0; i < frames.size(); ++i) {
        const char side = dummySide(frames[i]);
        if (!side || ancestor[i]) continue;
        out.push_back({int(i), side != storedSide});
    }
    return out;
}

std::vector<PartPlacement> gameViewPlacements(const DffClump& clump, const DffPart& part, const WheelSizes& sizes) {
    std::vector<PartPlacement> out{{part.frame, false, 1}};
    if (!part.placed() || !isWheelPart(clump, part)) return out;
    for (const PartPlacement& clone : wheelClones(clump, part)) out.push_back(clone);
    const DffGeometry& g = clump.geometries[size_t(part.geometry)];
    const float front = scaleToHeight(g, sizes.front), rear = scaleToHeight(g, sizes.rear);
    for (PartPlacement& at : out) at.scale = onFrontAxle(clump.frames, at.frame) ? front : rear;
    return out;
}

bool isExtraCaption(const std::string& caption) {
    const std::string upper = asciiUpper(caption);
    return upper.size() == 6 && upper.compare(0, 5, "EXTRA") == 0 && upper[5] >= '1' && upper[5] <= '6';
}

std::vector<bool> gameViewRowsShown(const std::vector<DffPart>& parts, std::optional<size_t> pickedExtra) {
    const auto isExtra = [&](size_t i) { return i < parts.size() && isExtraCaption(parts[i].caption); };
    size_t extra = pickedExtra.value_or(parts.size());
    for (size_t i = 0; i < parts.size() && !isExtra(extra); ++i) extra = i;
    std::vector<bool> shown(parts.size());
    for (size_t i = 0; i < parts.size(); ++i)
        shown[i] = !hiddenInGameView(parts[i].caption) && (!isExtra(i) || i == extra);
    return shown;
}

bool hiddenInGameView(const std::string& caption) {
    const std::string upper = asciiUpper(caption);
    return endsWith(upper, "_DAM") || endsWith(upper, "_VLO");
}

Mat4 placementMatrix(const DffClump& clump, PartPlacement at) {
    const Mat4& world = partMatrix(clump, at.frame);
    const float s = at.scale;
    return world * Mat4::scaling({at.turned ? -s : s, at.turned ? -s : s, s});
}

}  // namespace varmelo
