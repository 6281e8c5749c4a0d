#pragma once
// The one binary buffer of a glTF document and the views and accessors laid into it.
// Every view starts on a 4-byte boundary, so any accessor type may use it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/math/vec.h"

namespace tinygltf {
class Model;
}

namespace varmelo {

class GltfBuffer {
public:
    // Views and accessors are appended to the model; its buffer 0 is made by finish().
    explicit GltfBuffer(tinygltf::Model& model) : model_(model) {}

    // Each returns the index of the accessor (or image) it added.
    // POSITION: with the min and max every reader needs.
    int addPositions(const std::vector<Vec3>& v);
    // NORMAL and other three-float attributes, without bounds.
    int addVec3(const std::vector<Vec3>& v);
    int addVec2(const std::vector<Vec2>& v);
    // Four normalised bytes per vertex (COLOR_0).
    int addColours(const std::vector<std::array<uint8_t, 4>>& v);
    // Triangle corners; 16-bit when every index fits below the 16-bit restart value.
    int addIndices(const std::vector<uint32_t>& corners);
    // A PNG picture kept in the buffer.
    int addPng(std::vector<uint8_t> png, const std::string& name);

    // Hands the bytes to the model as its buffer 0 (none when nothing was added).
    void finish();
    size_t size() const { return bytes_.size(); }

private:
    int addView(const void* data, size_t size, int target);
    int addAccessor(int view, int componentType, int type, size_t count);

    tinygltf::Model& model_;
    std::vector<uint8_t> bytes_;
};

}  // namespace varmelo
