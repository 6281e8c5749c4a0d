#pragma once
// The GL objects the views hold, counted as they are made and deleted, so that a test can
// see a view give back everything it made. Each holder deletes its object with the context
// current: views free their renderers while their context is current.
#include <QOpenGLBuffer>
#include <atomic>
#include <cstddef>

namespace varmelo::gui::scene {

inline std::atomic<int> liveGlObjectCount{0};

// A buffer object, made on its first upload and deleted with its holder.
class GlBuffer {
public:
    explicit GlBuffer(QOpenGLBuffer::Type type = QOpenGLBuffer::VertexBuffer) : buffer_(type) {}
    GlBuffer(const GlBuffer&) = delete;
    GlBuffer& operator=(const GlBuffer&) = delete;
    ~GlBuffer() { destroy(); }

    // The bytes replace whatever the buffer held; it stays bound.
    void upload(const void* data, std::size_t bytes) {
        if (!buffer_.isCreated()) {
            buffer_.create();
            ++liveGlObjectCount;
        }
        buffer_.bind();
        buffer_.allocate(data, int(bytes));
    }
    bool exists() const { return buffer_.isCreated(); }
    void bind() { buffer_.bind(); }
    void destroy() {
        if (!buffer_.isCreated()) return;
        buffer_.destroy();
        --liveGlObjectCount;
    }

private:
    QOpenGLBuffer buffer_;
};

}  // namespace varmelo::gui::scene
