#pragma once
// Round to the nearest integer with halves to even, clamped to a byte; independent of the
// floating-point rounding mode a library may have left behind.
#include <cmath>
#include <cstdint>

namespace varmelo {

inline uint8_t roundHalfEvenByte(float v) {
    if (!(v > 0.0f)) return 0;
    double f = std::floor(double(v));
    const double frac = double(v) - f;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
    return f >= 255.0 ? 255 : uint8_t(f);
}

}  // namespace varmelo
