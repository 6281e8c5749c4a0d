#include "support/dff_builder.h"

#include <cmath>
#include <cstring>

#include "support/byte_writer.h"

namespace testing_support {

using varmelo::Vec2;
using varmelo::Vec3;

namespace {

constexpr uint32_t kStamp = 0x1803FFFF;

using Out = ByteWriter;

std::vector<uint8_t> chunk(uint32_t type, const std::vector<uint8_t>& body, uint32_t stamp = kStamp) {
    Out o;
    o.u32(type);
    o.u32(uint32_t(body.size()));
    o.u32(stamp);
    o.bytes(body);
    return o.b;
}

std::vector<uint8_t> cat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

size_t texSets(uint32_t flags) {
    if (uint32_t n = (flags >> 16) & 0xFF) return n;
    if (flags & 0x80) return 2;
    return (flags & 0x04) ? 1 : 0;
}

std::vector<uint8_t> geometryStruct(const DffGeometryPlan& g) {
    Out o;
    const size_t vertices = g.positions.size();
    o.u32(g.flags);
    o.u32(uint32_t(g.triangleCount.value_or(int32_t(g.triangles.size()))));
    o.u32(uint32_t(g.vertexCount.value_or(int32_t(vertices))));
    o.u32(g.morphTargets);
    if (g.lightingBlock) {
        o.f32(1);
        o.f32(1);
        o.f32(1);
    }
    if (!(g.flags & 0x01000000)) {
        if (g.flags & 0x08)
            for (size_t i = 0; i < vertices; ++i) {
                if (i < g.colours.size())
                    for (uint8_t c : g.colours[i]) o.u8(c);
                else
                    o.u32(0xFF8040C0);
            }
        for (size_t set = 0; set < texSets(g.flags); ++set)
            for (size_t i = 0; i < vertices; ++i) {
                const Vec2 t = i < g.texCoords.size() ? g.texCoords[i] : Vec2{};
                o.f32(set == 0 ? t.x : -1.0f);
                o.f32(set == 0 ? t.y : -1.0f);
            }
        for (const auto& t : g.triangles)
            for (uint16_t w : t) o.u16(w);
    }
    for (uint32_t m = 0; m < g.morphTargets; ++m) {
        o.vec(g.centre);
        o.f32(g.radius);
        o.u32(g.positions.empty() ? 0 : 1);
        o.u32(g.normals.empty() ? 0 : 1);
        for (const Vec3& p : g.positions) o.vec(p);
        for (const Vec3& n : g.normals) o.vec(n);
    }
    return o.b;
}

std::vector<uint8_t> stringChunk(const std::string& text) {
    std::vector<uint8_t> b(text.begin(), text.end());
    b.resize((text.size() + 4) & ~size_t(3), 0);  // NUL padded to a multiple of 4
    return chunk(0x02, b);
}

std::vector<uint8_t> materialChunk(const DffMaterialPlan& m) {
    Out mat;
    mat.u32(0);  // flags
    for (uint8_t c : m.colour) mat.u8(c);
    mat.u32(0);  // unused
    mat.u32(m.texture.empty() ? 0 : 1);
    if (!m.shortStruct) {
        mat.f32(1);
        mat.f32(1);
        mat.f32(1);
    }
    std::vector<uint8_t> body = chunk(1, mat.b);
    const auto textureChunk = [](const std::string& name, const std::string& mask) {
        Out filter;
        filter.u32(0x1106);
        return chunk(0x06, cat({chunk(1, filter.b), stringChunk(name), stringChunk(mask), chunk(3, {})}));
    };
    if (!m.texture.empty()) {
        const auto texture = textureChunk(m.texture, m.mask);
        body.insert(body.end(), texture.begin(), texture.end());
    }
    std::vector<uint8_t> effects;
    if (!m.envTexture.empty()) {
        Out e;
        e.u32(m.bumpFirst ? 3 : 2);
        if (m.bumpFirst) {
            e.u32(1);  // bump map: intensity, a texture, no second texture
            e.f32(0.5f);
            e.u32(1);
            const auto bump = textureChunk("bump", "");
            e.b.insert(e.b.end(), bump.begin(), bump.end());
            e.u32(0);
        }
        e.u32(2);  // environment map: coefficient, frame buffer alpha, its texture
        e.f32(m.envCoefficient);
        e.u32(0);
        e.u32(1);
        const auto env = textureChunk(m.envTexture, "");
        e.b.insert(e.b.end(), env.begin(), env.end());
        if (!m.bumpFirst) e.u32(0);  // the second effect: none
        effects = chunk(0x0120, e.b);
    }
    const auto ext = chunk(3, effects);
    body.insert(body.end(), ext.begin(), ext.end());
    return chunk(0x07, body);
}

std::vector<uint8_t> materialList(const std::vector<DffMaterialPlan>& plans) {
    const std::vector<DffMaterialPlan> plain{DffMaterialPlan{}};
    const auto& materials = plans.empty() ? plain : plans;
    Out list;
    list.u32(uint32_t(materials.size()));
    std::vector<uint8_t> own;
    for (const DffMaterialPlan& m : materials) {
        list.u32(uint32_t(m.repeats));
        if (m.repeats >= 0) continue;
        const auto one = materialChunk(m);
        own.insert(own.end(), one.begin(), one.end());
    }
    return chunk(0x08, cat({chunk(1, list.b), own}));
}

}  // namespace

int DffBuilder::frame(DffFramePlan f) {
    frames_.push_back(std::move(f));
    return int(frames_.size()) - 1;
}

int DffBuilder::frame(const std::string& name) {
    DffFramePlan f;
    f.name = name;
    return frame(std::move(f));
}

int DffBuilder::geometry(DffGeometryPlan g) {
    geometries_.push_back(std::move(g));
    return int(geometries_.size()) - 1;
}

DffBuilder& DffBuilder::atomic(int32_t frame, int32_t geometry) {
    atomics_.push_back({frame, geometry});
    return *this;
}

DffBuilder& DffBuilder::shortClumpStruct() {
    shortStruct_ = true;
    return *this;
}

DffBuilder& DffBuilder::atomicCount(uint32_t n) {
    atomicCount_ = n;
    return *this;
}

DffBuilder& DffBuilder::geometryCount(uint32_t n) {
    geometryCount_ = n;
    return *this;
}

std::vector<uint8_t> DffBuilder::build() const {
    Out clumpStruct;
    clumpStruct.u32(atomicCount_.value_or(uint32_t(atomics_.size())));
    if (!shortStruct_) {
        clumpStruct.u32(0);
        clumpStruct.u32(0);
    }

    Out frameStruct;
    frameStruct.u32(uint32_t(frames_.size()));
    std::vector<uint8_t> extensions;
    for (const DffFramePlan& f : frames_) {
        frameStruct.vec(f.right);
        frameStruct.vec(f.up);
        frameStruct.vec(f.at);
        frameStruct.vec(f.position);
        frameStruct.u32(uint32_t(f.parent));
        frameStruct.u32(0);
        std::vector<uint8_t> name(f.name.begin(), f.name.end());
        const auto ext = chunk(3, f.name.empty() ? std::vector<uint8_t>{} : chunk(0x0253F2FE, name));
        extensions.insert(extensions.end(), ext.begin(), ext.end());
    }
    const auto frameList = chunk(0x0E, cat({chunk(1, frameStruct.b), extensions}));

    Out listStruct;
    listStruct.u32(geometryCount_.value_or(uint32_t(geometries_.size())));
    std::vector<uint8_t> geometries = chunk(1, listStruct.b);
    for (const DffGeometryPlan& g : geometries_) {
        std::vector<uint8_t> extension;
        if (!g.nightColours.empty()) {
            Out night;
            night.u32(1);
            for (const auto& c : g.nightColours)
                for (uint8_t v : c) night.u8(v);
            extension = chunk(0x0253F2F9, night.b);
        }
        const auto one =
            chunk(0x0F, cat({chunk(1, geometryStruct(g), g.stamp), materialList(g.materials), chunk(3, extension)}));
        geometries.insert(geometries.end(), one.begin(), one.end());
    }
    const auto geometryList = chunk(0x1A, geometries);

    std::vector<uint8_t> atomics;
    for (const auto& a : atomics_) {
        Out s;
        s.u32(uint32_t(a[0]));
        s.u32(uint32_t(a[1]));
        s.u32(5);
        s.u32(0);
        const auto one = chunk(0x14, cat({chunk(1, s.b), chunk(3, {})}));
        atomics.insert(atomics.end(), one.begin(), one.end());
    }
    return chunk(0x10, cat({chunk(1, clumpStruct.b), frameList, geometryList, atomics, chunk(3, {})}));
}

std::array<uint16_t, 4> dffTriangle(uint16_t a, uint16_t b, uint16_t c, uint16_t material) {
    return {b, a, material, c};
}

DffGeometryPlan boxGeometry(Vec3 min, Vec3 max, bool withNormals) {
    DffGeometryPlan g;
    g.flags = 0x04 | 0x20 | (withNormals ? 0x10u : 0u);
    for (int i = 0; i < 8; ++i) {
        g.positions.push_back({(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z});
        g.texCoords.push_back({(i & 1) ? 1.0f : 0.0f, (i & 2) ? 1.0f : 0.0f});
    }
    const Vec3 centre = (min + max) * 0.5f;
    if (withNormals)
        for (const Vec3& p : g.positions) g.normals.push_back(varmelo::normalized(p - centre));
    // Corner quads, counter-clockwise seen from outside.
    const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& q : quads) {
        g.triangles.push_back(dffTriangle(uint16_t(q[0]), uint16_t(q[1]), uint16_t(q[2])));
        g.triangles.push_back(dffTriangle(uint16_t(q[0]), uint16_t(q[2]), uint16_t(q[3])));
    }
    g.centre = centre;
    g.radius = varmelo::length(max - centre);
    return g;
}

DffGeometryPlan texturedBoxGeometry(Vec3 min, Vec3 max, const std::array<uint16_t, 6>& faceMaterials) {
    DffGeometryPlan g;
    g.flags = 0x04 | 0x10 | 0x20;
    // Each face: its normal and its corners counter-clockwise seen from outside, starting at
    // the corner that takes texture point (0, 1) (bottom left of the picture).
    struct Face {
        Vec3 normal;
        Vec3 corners[4];
    };
    const Face faces[6] = {
        {{0, 0, -1}, {{min.x, max.y, min.z}, {max.x, max.y, min.z}, {max.x, min.y, min.z}, {min.x, min.y, min.z}}},
        {{0, 0, 1}, {{min.x, min.y, max.z}, {max.x, min.y, max.z}, {max.x, max.y, max.z}, {min.x, max.y, max.z}}},
        {{0, -1, 0}, {{min.x, min.y, min.z}, {max.x, min.y, min.z}, {max.x, min.y, max.z}, {min.x, min.y, max.z}}},
        {{0, 1, 0}, {{max.x, max.y, min.z}, {min.x, max.y, min.z}, {min.x, max.y, max.z}, {max.x, max.y, max.z}}},
        {{-1, 0, 0}, {{min.x, max.y, min.z}, {min.x, min.y, min.z}, {min.x, min.y, max.z}, {min.x, max.y, max.z}}},
        {{1, 0, 0}, {{max.x, min.y, min.z}, {max.x, max.y, min.z}, {max.x, max.y, max.z}, {max.x, min.y, max.z}}},
    };
    const Vec2 uv[4] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    for (size_t f = 0; f < 6; ++f) {
        const uint16_t base = uint16_t(g.positions.size());
        for (int k = 0; k < 4; ++k) {
            g.positions.push_back(faces[f].corners[k]);
            g.normals.push_back(faces[f].normal);
            g.texCoords.push_back(uv[k]);
        }
        g.triangles.push_back(dffTriangle(base, uint16_t(base + 1), uint16_t(base + 2), faceMaterials[f]));
        g.triangles.push_back(dffTriangle(base, uint16_t(base + 2), uint16_t(base + 3), faceMaterials[f]));
    }
    g.centre = (min + max) * 0.5f;
    g.radius = varmelo::length(max - g.centre);
    return g;
}

DffGeometryPlan wheelGeometry(float radius, float width, int sides, const std::string& rimTexture) {
    DffGeometryPlan g;
    g.flags = 0x04 | 0x10 | 0x20;
    const float half = width / 2;
    auto ring = [&](int i) {
        const float a = 2 * 3.14159265f * float(i) / float(sides);
        return Vec2{std::cos(a), std::sin(a)};
    };
    // The two discs: a centre and a ring each, the picture laid over the outer one.
    for (float x : {half, -half}) {
        const uint16_t centre = uint16_t(g.positions.size());
        const Vec3 normal{x > 0 ? 1.0f : -1.0f, 0, 0};
        g.positions.push_back({x, 0, 0});
        g.normals.push_back(normal);
        g.texCoords.push_back({0.5f, 0.5f});
        for (int i = 0; i < sides; ++i) {
            const Vec2 r = ring(i);
            g.positions.push_back({x, r.x * radius, r.y * radius});
            g.normals.push_back(normal);
            g.texCoords.push_back({0.5f + 0.5f * r.x, 0.5f - 0.5f * r.y});
        }
        for (int i = 0; i < sides; ++i) {
            const uint16_t a = uint16_t(centre + 1 + i), b = uint16_t(centre + 1 + (i + 1) % sides);
            // Counter-clockwise seen from +x for the outer disc, from -x for the inner one.
            if (x > 0) g.triangles.push_back(dffTriangle(centre, a, b, 0));
            else g.triangles.push_back(dffTriangle(centre, b, a, 1));
        }
    }
    // The tread: two corners per side, normals pointing out from the axle.
    const uint16_t tread = uint16_t(g.positions.size());
    for (int i = 0; i < sides; ++i) {
        const Vec2 r = ring(i);
        for (float x : {half, -half}) {
            g.positions.push_back({x, r.x * radius, r.y * radius});
            g.normals.push_back({0, r.x, r.y});
            g.texCoords.push_back({x > 0 ? 0.0f : 1.0f, float(i) / float(sides)});
        }
    }
    for (int i = 0; i < sides; ++i) {
        const uint16_t o0 = uint16_t(tread + 2 * i), i0 = uint16_t(o0 + 1);
        const uint16_t o1 = uint16_t(tread + 2 * ((i + 1) % sides)), i1 = uint16_t(o1 + 1);
        g.triangles.push_back(dffTriangle(o0, i0, i1, 1));
        g.triangles.push_back(dffTriangle(o0, i1, o1, 1));
    }
    DffMaterialPlan rim;
    rim.colour = {255, 255, 255, 255};
    rim.texture = rimTexture;
    DffMaterialPlan rubber;
    rubber.colour = {38, 38, 38, 255};
    g.materials = {rim, rubber};
    g.radius = std::sqrt(radius * radius + half * half);
    return g;
}

}  // namespace testing_support
