#include "gui/scene/gl_textures.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include "gui/scene/gl_objects.h"
#include "gui/scene/texture.h"

namespace varmelo::gui::scene {

GlTextures::~GlTextures() {
    for (const auto& [id, name] : names_) drop(name);
}

void GlTextures::drop(GLuint name) {
    if (!name) return;
    gl_.glDeleteTextures(1, &name);
    --liveGlObjectCount;
}

GLuint GlTextures::name(const Texture& t) {
    auto it = names_.find(t.id());
    if (it != names_.end()) return it->second;
    const Image& image = t.image();
    GLuint name = 0;
    if (!image.empty()) {
        gl_.glGenTextures(1, &name);
        ++liveGlObjectCount;
        gl_.glBindTexture(GL_TEXTURE_2D, name);
        // Repeated in both directions, as the models' coordinates expect.
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        gl_.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        // The rows go up top row first, so t = 0 is the picture's top, where the models'
        // coordinates put it.
        gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                         image.bgra.data());
        QOpenGLContext::currentContext()->functions()->glGenerateMipmap(GL_TEXTURE_2D);
        gl_.glBindTexture(GL_TEXTURE_2D, 0);
    }
    names_.emplace(t.id(), name);
    return name;
}

void GlTextures::keepOnly(const std::unordered_set<std::uint64_t>& used) {
    for (auto it = names_.begin(); it != names_.end();) {
        if (used.count(it->first)) {
            ++it;
        } else {
            drop(it->second);
            it = names_.erase(it);
        }
    }
}

}  // namespace varmelo::gui::scene
