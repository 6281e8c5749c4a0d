#include "gui/scene/scene_view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_2_1>
#include <QOpenGLVersionFunctionsFactory>
#include <QWheelEvent>
#include <GL/glu.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "gui/scene/camera_driver.h"
#include "gui/scene/scene.h"
#include "gui/scene/texture.h"

namespace varmelo::gui::scene {

namespace {

std::atomic<int> liveObjects{0};

// A mesh's arrays as last sent to the GL.
struct MeshBuffers {
    GLuint positions = 0;
    GLuint normals = 0;
    GLuint colours = 0;
    GLuint texCoords = 0;
    std::uint64_t geometryRevision = 0;
    std::uint64_t colourRevision = 0;
    GLsizei count = 0;
};

// A box of 1 x 1 x 1 around the origin, as quads with their outward normals.
void emitUnitBox(QOpenGLFunctions_2_1& f) {
    struct Face {
        float n[3];
        float v[4][3];
    };
    static const Face faces[6] = {
        {{1, 0, 0}, {{.5f, -.5f, -.5f}, {.5f, .5f, -.5f}, {.5f, .5f, .5f}, {.5f, -.5f, .5f}}},
        {{-1, 0, 0}, {{-.5f, -.5f, -.5f}, {-.5f, -.5f, .5f}, {-.5f, .5f, .5f}, {-.5f, .5f, -.5f}}},
        {{0, 1, 0}, {{-.5f, .5f, -.5f}, {-.5f, .5f, .5f}, {.5f, .5f, .5f}, {.5f, .5f, -.5f}}},
        {{0, -1, 0}, {{-.5f, -.5f, -.5f}, {.5f, -.5f, -.5f}, {.5f, -.5f, .5f}, {-.5f, -.5f, .5f}}},
        {{0, 0, 1}, {{-.5f, -.5f, .5f}, {.5f, -.5f, .5f}, {.5f, .5f, .5f}, {-.5f, .5f, .5f}}},
        {{0, 0, -1}, {{-.5f, -.5f, -.5f}, {-.5f, .5f, -.5f}, {.5f, .5f, -.5f}, {.5f, -.5f, -.5f}}},
    };
    // Compiled once into a display list, so these calls are not made per frame.
    f.glBegin(GL_QUADS);
    for (const Face& face : faces) {
        f.glNormal3fv(face.n);
        for (const auto& v : face.v) f.glVertex3fv(v);
    }
    f.glEnd();
}

}  // namespace

// Everything the view made in its GL context; dropped with the context.
struct SceneView::Gl {
    QOpenGLFunctions_2_1* f = nullptr;
    GLUquadric* quadric = nullptr;
    GLuint boxList = 0;
    std::map<std::pair<int, int>, GLuint> sphereLists;
    std::unordered_map<std::uint64_t, MeshBuffers> meshes;
    std::unordered_map<std::uint64_t, GLuint> textures;
    std::unordered_set<std::uint64_t> texturesUsed;  // by the meshes of the scene, shown or not
    std::unique_ptr<QOpenGLFramebufferObject> multisample;

    GLuint newBuffer() {
        GLuint b = 0;
        f->glGenBuffers(1, &b);
        ++liveObjects;
        return b;
    }
    void deleteBuffer(GLuint& b) {
        if (!b) return;
        f->glDeleteBuffers(1, &b);
        --liveObjects;
        b = 0;
    }
    void dropMesh(MeshBuffers& m) {
        deleteBuffer(m.positions);
        deleteBuffer(m.normals);
        deleteBuffer(m.colours);
        deleteBuffer(m.texCoords);
    }
    void dropTexture(GLuint& t) {
        f->glDeleteTextures(1, &t);
        --liveObjects;
        t = 0;
    }
    void dropMultisample() {
        if (!multisample) return;
        multisample.reset();
        --liveObjects;
    }

    GLuint sphereList(int slices, int stacks) {
        auto it = sphereLists.find({slices, stacks});
        if (it != sphereLists.end()) return it->second;
        const GLuint list = f->glGenLists(1);
        if (!list) return 0;
        ++liveObjects;
        f->glNewList(list, GL_COMPILE);
        gluSphere(quadric, 1.0, slices, stacks);
        f->glEndList();
        sphereLists.emplace(std::make_pair(slices, stacks), list);
        return list;
    }

    template <class T>
    void upload(GLuint& buffer, const std::vector<T>& data) {
        if (!buffer) buffer = newBuffer();
        f->glBindBuffer(GL_ARRAY_BUFFER, buffer);
        f->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(data.size() * sizeof(T)), data.data(), GL_STATIC_DRAW);
    }

    // Colours go over as bytes: a quarter of the memory the vertex stage reads, and no
    // visible loss on an 8-bit framebuffer.
    void uploadColours(GLuint& buffer, const std::vector<float>& rgba) {
        std::vector<GLubyte> bytes(rgba.size());
        for (std::size_t i = 0; i < rgba.size(); ++i)
            bytes[i] = GLubyte(std::lround(std::clamp(rgba[i], 0.0f, 1.0f) * 255.0f));
        upload(buffer, bytes);
    }

    MeshBuffers& sync(const Mesh& mesh) {
        MeshBuffers& b = meshes[mesh.id()];
        if (b.geometryRevision != mesh.geometryRevision()) {
            upload(b.positions, mesh.positions());
            upload(b.normals, mesh.normals());
            if (!mesh.texCoords().empty()) upload(b.texCoords, mesh.texCoords());
            else deleteBuffer(b.texCoords);
            b.count = GLsizei(mesh.vertexCount() / 3 * 3);
            b.geometryRevision = mesh.geometryRevision();
        }
        if (mesh.usesVertexColours() && b.colourRevision != mesh.colourRevision()) {
            uploadColours(b.colours, mesh.colours());
            b.colourRevision = mesh.colourRevision();
        }
        return b;
    }

    // Uploaded the first time a frame needs it, mip-mapped by the driver; repeated in both
    // directions, as the models' coordinates expect.
    GLuint texture(const Texture& t) {
        auto it = textures.find(t.id());
        if (it != textures.end()) return it->second;
        const Image& image = t.image();
        GLuint name = 0;
        if (!image.empty()) {
            f->glGenTextures(1, &name);
            ++liveObjects;
            f->glBindTexture(GL_TEXTURE_2D, name);
            f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
            f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
            f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
            f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
            f->glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
            f->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            // The rows go up top row first, so t = 0 is the picture's top, where the models'
            // coordinates put it.
            f->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                            image.bgra.data());
            f->glBindTexture(GL_TEXTURE_2D, 0);
        }
        textures.emplace(t.id(), name);
        return name;
    }

    void applyMaterial(const Material& m) {
        f->glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient.data());
        f->glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse.data());
        f->glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular.data());
        f->glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, m.emission.data());
        f->glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.shininess);
        f->glPolygonMode(GL_FRONT_AND_BACK, m.wireframe ? GL_LINE : GL_FILL);
    }

    // Which ranges of the meshes a pass draws: the opaque ones, or the blended ones.
    enum class Pass { Opaque, Blended, Whole };

    void drawMesh(const Mesh& mesh, Pass pass) {
        MeshBuffers& b = sync(mesh);
        if (b.count == 0) return;
        f->glEnableClientState(GL_VERTEX_ARRAY);
        f->glBindBuffer(GL_ARRAY_BUFFER, b.positions);
        f->glVertexPointer(3, GL_FLOAT, 0, nullptr);
        f->glEnableClientState(GL_NORMAL_ARRAY);
        f->glBindBuffer(GL_ARRAY_BUFFER, b.normals);
        f->glNormalPointer(GL_FLOAT, 0, nullptr);
        const bool perVertex = mesh.usesVertexColours();
        const bool filled = mesh.hasFillColour();
        if (perVertex || filled) {
            f->glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
            f->glEnable(GL_COLOR_MATERIAL);
        }
        if (perVertex) {
            f->glEnableClientState(GL_COLOR_ARRAY);
            f->glBindBuffer(GL_ARRAY_BUFFER, b.colours);
            f->glColorPointer(4, GL_UNSIGNED_BYTE, 0, nullptr);
        } else if (filled) {
            f->glColor4fv(mesh.fillRgba().data());
        }
        if (mesh.ranges().empty()) {
            if (pass != Pass::Blended) f->glDrawArrays(GL_TRIANGLES, 0, b.count);
        } else {
            drawRanges(mesh, b, pass);
        }
        f->glDisableClientState(GL_COLOR_ARRAY);
        f->glDisableClientState(GL_NORMAL_ARRAY);
        f->glDisableClientState(GL_VERTEX_ARRAY);
        f->glBindBuffer(GL_ARRAY_BUFFER, 0);
        f->glDisable(GL_COLOR_MATERIAL);
    }

    // The texel times the lit colour (GL_MODULATE): the light and the vertex or fill colour
    // act on the picture.
    void drawRanges(const Mesh& mesh, const MeshBuffers& b, Pass pass) {
        if (b.texCoords) {
            f->glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            f->glBindBuffer(GL_ARRAY_BUFFER, b.texCoords);
            f->glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
        }
        f->glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        for (const MeshRange& r : mesh.ranges()) {
            if (pass == Pass::Opaque && r.blended) continue;
            if (pass == Pass::Blended && !r.blended) continue;
            const int count = std::min(r.count, int(b.count) - r.first);
            if (count <= 0) continue;
            const GLuint name = r.texture && b.texCoords ? texture(*r.texture) : 0;
            if (name) {
                f->glEnable(GL_TEXTURE_2D);
                f->glBindTexture(GL_TEXTURE_2D, name);
            }
            f->glDrawArrays(GL_TRIANGLES, r.first, count / 3 * 3);
            if (name) {
                f->glBindTexture(GL_TEXTURE_2D, 0);
                f->glDisable(GL_TEXTURE_2D);
            }
        }
        f->glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }

    void drawItem(const SceneItem& item, Pass pass = Pass::Whole) {
        f->glPushMatrix();
        const QMatrix4x4 m = item.transform();
        f->glMultMatrixf(m.constData());
        applyMaterial(item.material());
        switch (item.kind()) {
        case SceneItem::Kind::Mesh:
            drawMesh(static_cast<const Mesh&>(item), pass);
            break;
        case SceneItem::Kind::Sphere: {
            const auto& s = static_cast<const Sphere&>(item);
            const float r = std::fabs(s.radius());
            if (r > 0) {
                f->glScalef(r, r, r);
                if (const GLuint list = sphereList(s.slices(), s.stacks())) f->glCallList(list);
            }
            break;
        }
        case SceneItem::Kind::Box: {
            const QVector3D size = static_cast<const Box&>(item).size();
            f->glScalef(std::fabs(size.x()), std::fabs(size.y()), std::fabs(size.z()));
            f->glCallList(boxList);
            break;
        }
        }
        f->glPopMatrix();
    }
};

SceneView::SceneView(Scene& scene, QWidget* parent)
    : QOpenGLWidget(parent), scene_(&scene), driver_(std::make_shared<OrbitZoomDriver>()) {
    setMinimumSize(16, 16);
    connect(&scene, &Scene::changed, this, qOverload<>(&QWidget::update));
}

SceneView::~SceneView() {
    if (gl_) {
        makeCurrent();
        releaseGl();
        doneCurrent();
    }
}

QSurfaceFormat SceneView::surfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

bool SceneView::glAvailable() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

int SceneView::liveGlObjects() { return liveObjects; }

void SceneView::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void SceneView::setTwoSidedLighting(bool on) {
    twoSided_ = on;
    update();
}

void SceneView::setCullBackFaces(bool on) {
    cullBackFaces_ = on;
    update();
}

void SceneView::setAntialiasing(Antialiasing mode) {
    if (antialiasing_ == mode) return;
    antialiasing_ = mode;
    update();
}

void SceneView::setCameraDriver(std::shared_ptr<CameraDriver> driver) {
    driver_ = driver ? std::move(driver) : std::make_shared<OrbitZoomDriver>();
}

void SceneView::initializeGL() {
    // A widget moved to another window gets a new context: start from nothing again.
    if (gl_) releaseGl();
    auto* f = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_2_1>(context());
    if (!f) {
        qWarning("SceneView: no OpenGL 2.1 compatibility context; the view stays blank");
        return;
    }
    gl_ = std::make_unique<Gl>();
    gl_->f = f;
    gl_->quadric = gluNewQuadric();
    if (gl_->quadric) gluQuadricNormals(gl_->quadric, GLU_SMOOTH);
    gl_->boxList = f->glGenLists(1);
    if (gl_->boxList) {
        ++liveObjects;
        f->glNewList(gl_->boxList, GL_COMPILE);
        emitUnitBox(*f);
        f->glEndList();
    }
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &SceneView::releaseGl, Qt::UniqueConnection);
}

void SceneView::releaseGl() {
    if (!gl_) return;
    // Called with the context current: from the destructor, or as the context goes away.
    QOpenGLFunctions_2_1* f = gl_->f;
    for (auto& [id, buffers] : gl_->meshes) gl_->dropMesh(buffers);
    gl_->meshes.clear();
    for (auto& [id, name] : gl_->textures)
        if (name) gl_->dropTexture(name);
    gl_->textures.clear();
    for (auto& [key, list] : gl_->sphereLists) {
        f->glDeleteLists(list, 1);
        --liveObjects;
    }
    gl_->sphereLists.clear();
    if (gl_->boxList) {
        f->glDeleteLists(gl_->boxList, 1);
        --liveObjects;
    }
    gl_->dropMultisample();
    if (gl_->quadric) gluDeleteQuadric(gl_->quadric);
    gl_.reset();
}

void SceneView::paintGL() {
    if (!gl_) return;
    QOpenGLFunctions_2_1* f = gl_->f;
    while (f->glGetError() != GL_NO_ERROR) {
    }
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, int(std::lround(width() * dpr)));
    const int h = std::max(1, int(std::lround(height() * dpr)));

    // The multisampled buffer follows the window's size and is dropped when not in use.
    QOpenGLFramebufferObject* target = nullptr;
    if (antialiasing_ == Antialiasing::Multisample2x) {
        if (!gl_->multisample || gl_->multisample->size() != QSize(w, h)) {
            gl_->dropMultisample();
            QOpenGLFramebufferObjectFormat format;
            format.setSamples(2);
            format.setAttachment(QOpenGLFramebufferObject::Depth);
            auto fbo = std::make_unique<QOpenGLFramebufferObject>(QSize(w, h), format);
            if (fbo->isValid()) {
                gl_->multisample = std::move(fbo);
                ++liveObjects;
            }
        }
        if (gl_->multisample && gl_->multisample->bind()) target = gl_->multisample.get();
    } else {
        gl_->dropMultisample();
    }
    if (target) {
        renderedSamples_ = target->format().samples();
    } else {
        GLint samples = 0;
        f->glGetIntegerv(GL_SAMPLES, &samples);
        renderedSamples_ = antialiasing_ == Antialiasing::None ? 0 : samples;
    }

    f->glViewport(0, 0, w, h);
    if (antialiasing_ == Antialiasing::None) f->glDisable(GL_MULTISAMPLE);
    else f->glEnable(GL_MULTISAMPLE);
    f->glClearColor(float(background_.redF()), float(background_.greenF()), float(background_.blueF()), 1.0f);
    f->glDepthMask(GL_TRUE);
    f->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    if (Scene* scene = scene_.data()) {
        const Camera& camera = scene->camera();
        QVector3D centre = camera.target();
        float radius = 1.0f;
        if (!scene->bounds(centre, radius)) radius = 1.0f;
        const QMatrix4x4 projection = camera.projectionMatrix(w, h, centre, radius);
        f->glMatrixMode(GL_PROJECTION);
        f->glLoadMatrixf(projection.constData());
        f->glMatrixMode(GL_MODELVIEW);
        f->glLoadMatrixf(camera.viewMatrix().constData());

        f->glEnable(GL_DEPTH_TEST);
        f->glDepthFunc(GL_LEQUAL);
        // Back faces of solid items only: an outline shows its far side as well.
        if (cullBackFaces_) f->glEnable(GL_CULL_FACE);
        else f->glDisable(GL_CULL_FACE);
        f->glCullFace(GL_BACK);
        f->glFrontFace(GL_CCW);
        f->glEnable(GL_NORMALIZE);
        f->glShadeModel(GL_SMOOTH);
        f->glEnable(GL_LIGHTING);
        f->glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, twoSided_ ? GL_TRUE : GL_FALSE);
        const Light& light = scene->light();
        if (light.enabled) {
            // Given after the camera's matrix, so the position is in world units.
            const float position[4] = {light.position.x(), light.position.y(), light.position.z(), 1.0f};
            f->glLightfv(GL_LIGHT0, GL_POSITION, position);
            f->glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient.data());
            f->glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse.data());
            f->glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular.data());
            f->glLightf(GL_LIGHT0, GL_CONSTANT_ATTENUATION, light.constantAttenuation);
            f->glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, light.linearAttenuation);
            f->glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, light.quadraticAttenuation);
            f->glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, light.spotCutoff);
            f->glEnable(GL_LIGHT0);
        } else {
            f->glDisable(GL_LIGHT0);
        }

        std::unordered_set<std::uint64_t> shownMeshes;
        gl_->texturesUsed.clear();
        auto blendedRanges = [](const SceneItem& item) {
            return item.kind() == SceneItem::Kind::Mesh && static_cast<const Mesh&>(item).hasBlendedRanges();
        };
        for (const auto& item : scene->items()) {
            if (item->kind() == SceneItem::Kind::Mesh) {
                shownMeshes.insert(item->id());
                for (const MeshRange& r : static_cast<const Mesh&>(*item).ranges())
                    if (r.texture) gl_->texturesUsed.insert(r.texture->id());
            }
            if (item->visible() && !item->material().blended) gl_->drawItem(*item, Gl::Pass::Opaque);
        }
        f->glDisable(GL_CULL_FACE);
        f->glEnable(GL_BLEND);
        // Colour is mixed by the source alpha; the window's alpha stays opaque.
        f->glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
        f->glDepthMask(GL_FALSE);
        // Texels with no alpha at all leave no trace, not even where they would darken.
        f->glAlphaFunc(GL_GREATER, 0.0f);
        f->glEnable(GL_ALPHA_TEST);
        for (const auto& item : scene->items()) {
            if (!item->visible()) continue;
            if (item->material().blended) gl_->drawItem(*item);
            else if (blendedRanges(*item)) gl_->drawItem(*item, Gl::Pass::Blended);
        }
        f->glDisable(GL_ALPHA_TEST);
        f->glDepthMask(GL_TRUE);
        f->glDisable(GL_BLEND);
        f->glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        f->glDisable(GL_LIGHTING);

        // Buffers of meshes that left the scene.
        for (auto it = gl_->meshes.begin(); it != gl_->meshes.end();) {
            if (shownMeshes.count(it->first)) {
                ++it;
            } else {
                gl_->dropMesh(it->second);
                it = gl_->meshes.erase(it);
            }
        }
        // Textures of meshes that left the scene (a hidden part keeps its pictures uploaded).
        for (auto it = gl_->textures.begin(); it != gl_->textures.end();) {
            if (gl_->texturesUsed.count(it->first)) {
                ++it;
            } else {
                if (it->second) gl_->dropTexture(it->second);
                it = gl_->textures.erase(it);
            }
        }
    }

    if (target) {
        // Onto the window's own buffer (Qt redirects the default framebuffer to it).
        QOpenGLFramebufferObject::blitFramebuffer(nullptr, QRect(0, 0, w, h), target, QRect(0, 0, w, h),
                                                  GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    lastGlError_ = f->glGetError();
}

void SceneView::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) {
        rightPress_ = e->position().toPoint();
        rightDragged_ = false;
    }
    if (scene_) driver_->press(scene_->camera(), e->position().toPoint(), e->button());
}

void SceneView::mouseReleaseEvent(QMouseEvent* e) {
    if (scene_) driver_->release(scene_->camera(), e->position().toPoint(), e->button());
    if (e->button() == Qt::RightButton && !rightDragged_) {
        rightDragged_ = true;
        emit rightClicked(e->position().toPoint());
    }
}

void SceneView::mouseMoveEvent(QMouseEvent* e) {
    if ((e->buttons() & Qt::RightButton) &&
        (e->position().toPoint() - rightPress_).manhattanLength() >= QApplication::startDragDistance())
        rightDragged_ = true;
    if (scene_) driver_->move(scene_->camera(), e->position().toPoint(), e->buttons());
}

void SceneView::wheelEvent(QWheelEvent* e) {
    // The wheel is deliberately dead over the 3D views; taking the event keeps it from
    // scrolling whatever holds the view.
    e->accept();
}

}  // namespace varmelo::gui::scene
