#pragma once
// Little-endian fields appended to a growing byte buffer, as the model and collision
// builders write them.
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/math/vec.h"

namespace testing_support {

struct ByteWriter {
    std::vector<uint8_t> b;
    void u8(uint8_t v) { b.push_back(v); }
    void u16(uint16_t v) {
        b.push_back(uint8_t(v));
        b.push_back(uint8_t(v >> 8));
    }
    void u32(uint32_t v) {
        for (int k = 0; k < 4; ++k) b.push_back(uint8_t(v >> (8 * k)));
    }
    void f32(float f) {
        uint32_t v;
        std::memcpy(&v, &f, 4);
        u32(v);
    }
    void vec(varmelo::Vec3 v) {
        f32(v.x);
        f32(v.y);
        f32(v.z);
    }
    void bytes(const std::vector<uint8_t>& more) { b.insert(b.end(), more.begin(), more.end()); }
    void set32(size_t at, uint32_t v) {
        for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
    }
};

}  // namespace testing_support
