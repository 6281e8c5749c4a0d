#include "core/export/gltf_buffer.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cstring>
#include <limits>


namespace varmelo {

namespace {

// The buffer holds little-endian numbers whatever the machine; glTF readers expect them so.
void putFloat(std::vector<uint8_t>& out, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(bits >> (8 * i)));
}

}  // namespace

int GltfBuffer::addView(const void* data, size_t size, int target) {
    while (bytes_.size() % 4) bytes_.push_back(0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = bytes_.size();
    view.byteLength = size;
    view.target = target;
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
    model_.bufferViews.push_back(std::move(view));
    return int(model_.bufferViews.size() - 1);
}

int GltfBuffer::addAccessor(int view, int componentType, int type, size_t count) {
    tinygltf::Accessor a;
    a.bufferView = view;
    a.byteOffset = 0;
    a.componentType = componentType;
    a.type = type;
    a.count = count;
    model_.accessors.push_back(std::move(a));
    return int(model_.accessors.size() - 1);
}

int GltfBuffer::addPositions(const std::vector<Vec3>& v) {
    const int accessor = addVec3(v);
    std::vector<double> lo(3, std::numeric_limits<double>::max()), hi(3, std::numeric_limits<double>::lowest());
    for (const Vec3& p : v) {
        const float c[3] = {p.x, p.y, p.z};
        for (size_t i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], double(c[i]));
            hi[i] = std::max(hi[i], double(c[i]));
        }
    }
    model_.accessors[size_t(accessor)].minValues = std::move(lo);
    model_.accessors[size_t(accessor)].maxValues = std::move(hi);
    return accessor;
}

int GltfBuffer::addVec3(const std::vector<Vec3>& v) {
    std::vector<uint8_t> raw;
    raw.reserve(v.size() * 12);
    for (const Vec3& p : v) {
        putFloat(raw, p.x);
        putFloat(raw, p.y);
        putFloat(raw, p.z);
    }
    const int view = addView(raw.data(), raw.size(), TINYGLTF_TARGET_ARRAY_BUFFER);
    return addAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, v.size());
}

int GltfBuffer::addVec2(const std::vector<Vec2>& v) {
    std::vector<uint8_t> raw;
    raw.reserve(v.size() * 8);
    for (const Vec2& p : v) {
        putFloat(raw, p.x);
        putFloat(raw, p.y);
    }
    const int view = addView(raw.data(), raw.size(), TINYGLTF_TARGET_ARRAY_BUFFER);
    return addAccessor(view, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, v.size());
}

int GltfBuffer::addColours(const std::vector<std::array<uint8_t, 4>>& v) {
    const int view = addView(v.data(), v.size() * 4, TINYGLTF_TARGET_ARRAY_BUFFER);
    const int accessor = addAccessor(view, TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE, TINYGLTF_TYPE_VEC4, v.size());
    model_.accessors[size_t(accessor)].normalized = true;
    return accessor;
}

int GltfBuffer::addIndices(const std::vector<uint32_t>& corners) {
    // 0xFFFF is the restart value of 16-bit indices, which glTF forbids in a list.
    const bool narrow = std::all_of(corners.begin(), corners.end(), [](uint32_t i) { return i < 0xFFFF; });
    std::vector<uint8_t> raw;
    raw.reserve(corners.size() * (narrow ? 2 : 4));
    for (uint32_t i : corners)
        for (int b = 0; b < (narrow ? 2 : 4); ++b) raw.push_back(uint8_t(i >> (8 * b)));
    const int view = addView(raw.data(), raw.size(), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    return addAccessor(view, narrow ? TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT : TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                       TINYGLTF_TYPE_SCALAR, corners.size());
}

int GltfBuffer::addPng(std::vector<uint8_t> png, const std::string& name) {
    tinygltf::Image image;
    image.name = name;
    image.mimeType = "image/png";
    image.bufferView = addView(png.data(), png.size(), 0);
    model_.images.push_back(std::move(image));
    return int(model_.images.size() - 1);
}

void GltfBuffer::finish() {
    if (bytes_.empty()) return;
    while (bytes_.size() % 4) bytes_.push_back(0);
    tinygltf::Buffer buffer;
    buffer.data = std::move(bytes_);
    model_.buffers.push_back(std::move(buffer));
}

}  // namespace varmelo
