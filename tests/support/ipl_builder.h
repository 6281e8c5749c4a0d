#pragma once
// Builds binary placement files ("bnry") for tests and sample content (no test framework).
// Instance records follow the 76-byte header, parked-car records follow them; counts and
// offsets can be overridden to make broken files.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct IplInstance {
    float x = 0, y = 0, z = 0;
    float rx = 0, ry = 0, rz = 0, rw = 1;
    int32_t model = 0;
    int32_t interior = 0;
    int32_t lod = -1;
};

struct IplCar {
    float x = 0, y = 0, z = 0, angle = 0;
    int32_t values[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

class IplBuilder {
public:
    IplBuilder& add(const IplInstance& i);
    IplBuilder& add(const IplCar& c);
    IplBuilder& instanceCount(int32_t n);
    IplBuilder& carCount(int32_t n);
    IplBuilder& instanceOffset(uint32_t off);
    IplBuilder& carOffset(uint32_t off);
    IplBuilder& magic(const std::string& m);
    std::vector<uint8_t> build() const;

private:
    std::vector<IplInstance> instances_;
    std::vector<IplCar> cars_;
    std::optional<int32_t> instanceCount_, carCount_;
    std::optional<uint32_t> instanceOffset_, carOffset_;
    std::string magic_ = "bnry";
};

}  // namespace testing_support
