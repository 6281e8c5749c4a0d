#include "core/view/game_view_rules.h"

#include <array>
#include <string_view>

#include "core/io/codepage.h"
#include "core/model/frame_space.h"
#include "core/view/model_textures.h"

namespace varmelo {

namespace {

// The six wheel dummies, with the side each stands on ('l' or 'r').
struct WheelDummy {
    std::string_view name;
    char side;
};
constexpr std::array<WheelDummy, 6> kWheelDummies{{
    {"WHEEL_LF_DUMMY", 'l'},
    {"WHEEL_RF_DUMMY", 'r'},
    {"WHEEL_LB_DUMMY", 'l'},
    {"WHEEL_RB_DUMMY", 'r'},
    {"WHEEL_LM_DUMMY", 'l'},
    {"WHEEL_RM_DUMMY", 'r'},
}};

// The side of a wheel dummy, 0 for any other frame.
char dummySide(const DffFrame& f) {
    const std::string upper = asciiUpper(f.name);
    for (const WheelDummy& d : kWheelDummies)
        if (upper == d.name) return d.side;
    return 0;
}

bool endsWith(const std::string& upper, std::string_view tail) {
    return upper.size() >= tail.size() && std::string_view(upper).substr(upper.size() - tail.size()) == tail;
}

}  // namespace

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

bool hiddenInGameView(const std::string& caption) {
    const std::string upper = asciiUpper(caption);
    return endsWith(upper, "_DAM") || endsWith(upper, "_VLO");
}

Mat4 placementMatrix(const DffClump& clump, PartPlacement at) {
    const Mat4& world = partMatrix(clump, at.frame);
    return at.turned ? world * Mat4::scaling({-1, -1, 1}) : world;
}

}  // namespace varmelo
