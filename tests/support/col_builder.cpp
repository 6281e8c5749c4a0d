#include "support/col_builder.h"

#include <cmath>
#include <cstring>

#include "support/byte_writer.h"

namespace testing_support {

using varmelo::ColBox;
using varmelo::ColFace;
using varmelo::ColSphere;
using varmelo::Vec3;

namespace {

using Out = ByteWriter;

void box(Out& o, const ColBox& x) {
    o.vec(x.min);
    o.vec(x.max);
    o.u32(0x00000201);  // surface: material, flag, brightness, light
}

void head(Out& o, const ColRecordPlan& r) {
    for (size_t i = 0; i < 4; ++i) o.u8(i < r.magic.size() ? uint8_t(r.magic[i]) : 0);
    o.u32(0);  // size, set at the end
    for (size_t i = 0; i < 22; ++i) o.u8(i < r.name.size() ? uint8_t(r.name[i]) : 0);
    o.u16(r.modelId);
}

void version1(Out& o, const ColRecordPlan& r) {
    o.f32(r.bound.radius);
    o.vec(r.bound.centre);
    o.vec(r.box.min);
    o.vec(r.box.max);
    o.u32(uint32_t(r.spheres.size()));
    for (const ColSphere& s : r.spheres) {
        o.f32(s.radius);
        o.vec(s.centre);
        o.u32(0);
    }
    o.u32(0);  // lines
    o.u32(uint32_t(r.boxes.size()));
    for (const ColBox& x : r.boxes) box(o, x);
    o.u32(uint32_t(r.vertices.size()));
    for (const Vec3& v : r.vertices) o.vec(v);
    o.u32(uint32_t(r.faces.size()));
    for (const ColFace& f : r.faces) {
        o.u32(f.a);
        o.u32(f.b);
        o.u32(f.c);
        o.u32(0);
    }
}

int16_t pack(float v) { return int16_t(std::lround(v * 128.0f)); }

void version2(Out& o, const ColRecordPlan& r, bool v3) {
    o.vec(r.box.min);
    o.vec(r.box.max);
    o.vec(r.bound.centre);
    o.f32(r.bound.radius);
    o.u16(uint16_t(r.spheres.size()));
    o.u16(uint16_t(r.boxes.size()));
    o.u32(uint32_t(r.faces.size()));
    o.u32(0);  // flags
    const size_t offsets = o.b.size();
    for (int i = 0; i < (v3 ? 9 : 6); ++i) o.u32(0);
    auto mark = [&](size_t field) { o.set32(offsets + field * 4, uint32_t(o.b.size() - 4)); };
    mark(0);
    for (const ColSphere& s : r.spheres) {
        o.vec(s.centre);
        o.f32(s.radius);
        o.u32(0);
    }
    mark(1);
    for (const ColBox& x : r.boxes) box(o, x);
    mark(2);  // no lines: they share the vertices' place
    mark(3);
    if (!r.packedVertices.empty()) {
        for (const auto& v : r.packedVertices)
            for (int16_t c : v) o.u16(uint16_t(c));
    } else {
        for (const Vec3& v : r.vertices) {
            o.u16(uint16_t(pack(v.x)));
            o.u16(uint16_t(pack(v.y)));
            o.u16(uint16_t(pack(v.z)));
        }
    }
    while (o.b.size() % 4) o.u8(0);
    mark(4);
    for (const ColFace& f : r.faces) {
        o.u16(uint16_t(f.a));
        o.u16(uint16_t(f.b));
        o.u16(uint16_t(f.c));
        o.u8(0);  // material
        o.u8(0);  // light
    }
}

ColRecordPlan shape(const std::string& magic, const std::string& name, float dx) {
    ColRecordPlan r;
    r.magic = magic;
    r.name = name;
    r.bound = {{dx, 0, 0.2f}, 2.6f};
    r.box = {{dx - 1, -2.3f, -0.5f}, {dx + 1, 2.3f, 0.9f}};
    for (int i = 0; i < 4; ++i)
        r.spheres.push_back({{dx + ((i % 2) ? 0.85f : -0.85f), (i < 2) ? 1.4f : -1.4f, -0.1f}, 0.35f});
    r.boxes.push_back({{dx - 0.9f, -2.2f, -0.3f}, {dx + 0.9f, 2.2f, 0.45f}});
    r.boxes.push_back({{dx - 0.7f, -1.0f, 0.45f}, {dx + 0.7f, 0.8f, 0.9f}});
    // A low roof: a quad pyramid over the body.
    r.vertices = {{dx - 0.9f, -2.0f, 0.45f}, {dx + 0.9f, -2.0f, 0.45f}, {dx + 0.9f, 2.0f, 0.45f},
                  {dx - 0.9f, 2.0f, 0.45f}, {dx, 0, 0.875f}};
    // Stored a, b, c clockwise from above: drawn as c, b, a they face outwards.
    r.faces = {{4, 1, 0}, {4, 2, 1}, {4, 3, 2}, {4, 0, 3}};
    return r;
}

}  // namespace

std::vector<uint8_t> colRecord(const ColRecordPlan& r) {
    Out o;
    head(o, r);
    if (r.magic == "COL2" || r.magic == "COL3") version2(o, r, r.magic == "COL3");
    else version1(o, r);
    o.set32(4, r.sizeField.value_or(uint32_t(o.b.size() - 8)));
    return o.b;
}

std::vector<uint8_t> demoCollision() {
    std::vector<uint8_t> file;
    for (const auto& r : {shape("COLL", "infernus", 0), shape("COL2", "infernus_vc", 3), shape("COL3", "infernus_sa", 6)}) {
        const auto bytes = colRecord(r);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    file.resize((file.size() + 2047) / 2048 * 2048, 0);  // an archive's sector padding
    return file;
}

}  // namespace testing_support
