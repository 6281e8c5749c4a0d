#pragma once
// A picture that meshes draw on their triangles: the core's decoded image (rows from the top,
// blue, green, red, alpha). One texture is shared by every mesh range that uses it, so a view
// uploads it once - with its mip-maps - and drops it when no mesh shown uses it any more.
#include <cstdint>
#include <memory>

#include "core/texture/image.h"

namespace varmelo::gui::scene {

class Texture {
public:
    explicit Texture(Image image);

    // Never reused within a run, like a scene item's id.
    std::uint64_t id() const { return id_; }
    const Image& image() const { return image_; }
    // Some texel is not fully opaque: the ranges that use it are blended.
    bool hasAlpha() const { return hasAlpha_; }

private:
    std::uint64_t id_;
    Image image_;
    bool hasAlpha_ = false;
};

using TexturePtr = std::shared_ptr<const Texture>;

}  // namespace varmelo::gui::scene
