#include "support/ipl_builder.h"

#include <cstring>

namespace testing_support {

namespace {
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}
void add32(std::vector<uint8_t>& b, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(uint8_t(v >> (8 * k)));
}
void addF(std::vector<uint8_t>& b, float f) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    add32(b, v);
}
}  // namespace

IplBuilder& IplBuilder::add(const IplInstance& i) {
    instances_.push_back(i);
    return *this;
}
IplBuilder& IplBuilder::add(const IplCar& c) {
    cars_.push_back(c);
    return *this;
}
IplBuilder& IplBuilder::instanceCount(int32_t n) {
    instanceCount_ = n;
    return *this;
}
IplBuilder& IplBuilder::carCount(int32_t n) {
    carCount_ = n;
    return *this;
}
IplBuilder& IplBuilder::instanceOffset(uint32_t off) {
    instanceOffset_ = off;
    return *this;
}
IplBuilder& IplBuilder::carOffset(uint32_t off) {
    carOffset_ = off;
    return *this;
}
IplBuilder& IplBuilder::magic(const std::string& m) {
    magic_ = m;
    return *this;
}

std::vector<uint8_t> IplBuilder::build() const {
    std::vector<uint8_t> b(76, 0);
    for (size_t i = 0; i < 4 && i < magic_.size(); ++i) b[i] = uint8_t(magic_[i]);
    const uint32_t instAt = 76;
    const uint32_t carAt = instAt + uint32_t(instances_.size()) * 40;
    put32(b, 4, uint32_t(instanceCount_.value_or(int32_t(instances_.size()))));
    put32(b, 20, uint32_t(carCount_.value_or(int32_t(cars_.size()))));
    put32(b, 28, instanceOffset_.value_or(instAt));
    put32(b, 60, carOffset_.value_or(carAt));
    for (const auto& i : instances_) {
        for (float f : {i.x, i.y, i.z, i.rx, i.ry, i.rz, i.rw}) addF(b, f);
        add32(b, uint32_t(i.model));
        add32(b, uint32_t(i.interior));
        add32(b, uint32_t(i.lod));
    }
    for (const auto& c : cars_) {
        for (float f : {c.x, c.y, c.z, c.angle}) addF(b, f);
        for (int32_t v : c.values) add32(b, uint32_t(v));
    }
    return b;
}

}  // namespace testing_support
