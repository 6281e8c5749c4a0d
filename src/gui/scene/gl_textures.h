#pragma once
// The textures a view has sent to the GL, by the scene texture's id: uploaded the first time
// a frame needs one, kept while some mesh of the scene uses it (shown or not), dropped after.
#include <QOpenGLFunctions_2_1>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace varmelo::gui::scene {

class Texture;

class GlTextures {
public:
    explicit GlTextures(QOpenGLFunctions_2_1& gl) : gl_(gl) {}
    GlTextures(const GlTextures&) = delete;
    GlTextures& operator=(const GlTextures&) = delete;
    // With the context current.
    ~GlTextures();

    // 0 for a picture with nothing in it.
    GLuint name(const Texture& texture);
    // Deletes every texture whose id is not in the set.
    void keepOnly(const std::unordered_set<std::uint64_t>& used);

private:
    void drop(GLuint name);

    QOpenGLFunctions_2_1& gl_;
    std::unordered_map<std::uint64_t, GLuint> names_;
};

}  // namespace varmelo::gui::scene
