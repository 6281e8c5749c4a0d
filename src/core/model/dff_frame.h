#pragma once
// One frame of a clump's frame list: its matrix as stored and its parent.
#include <cstdint>
#include <string>

#include "core/math/vec.h"

namespace varmelo {

struct DffFrame {
    std::string name;  // empty when the frame's Extension holds no name
    Vec3 right{1, 0, 0};
    Vec3 up{0, 1, 0};
    Vec3 at{0, 0, 1};
    Vec3 position;
    int32_t parent = -1;
};

}  // namespace varmelo
