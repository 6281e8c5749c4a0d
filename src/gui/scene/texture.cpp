#include "gui/scene/texture.h"

#include <atomic>

namespace varmelo::gui::scene {

namespace {
std::atomic<std::uint64_t> nextId{1};
}

Texture::Texture(Image image) : id_(nextId++), image_(std::move(image)) {
    for (size_t i = 3; i < image_.bgra.size(); i += 4)
        if (image_.bgra[i] != 255) {
            hasAlpha_ = true;
            break;
        }
}

}  // namespace varmelo::gui::scene
