// glTF export of models: the document read back with tinygltf.
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cmath>
#include <cstring>

#include "core/model/dff_parts.h"
#include "core/export/gltf_export.h"
#include "core/export/gltf_space.h"
#include "core/view/mesh_vertices.h"
#include "support/dff_builder.h"
#include "support/textured_model.h"
#include "support/read_model.h"

using namespace varmelo;
using namespace testing_support;

namespace {

using Bytes = std::vector<uint8_t>;
using Matrix = std::array<double, 16>;  // column-major

tinygltf::Model load(const Bytes& file, GltfForm form) {
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string err, warn;
    const bool ok = form == GltfForm::Binary
                        ? loader.LoadBinaryFromMemory(&model, &err, &warn, file.data(), unsigned(file.size()))
                        : loader.LoadASCIIFromString(&model, &err, &warn, reinterpret_cast<const char*>(file.data()),
                                                     unsigned(file.size()), "");
    EXPECT_TRUE(ok) << err;
    EXPECT_EQ(warn, "");
    return model;
}

Matrix nodeMatrix(const tinygltf::Node& n) {
    Matrix m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (n.matrix.size() == 16) std::copy(n.matrix.begin(), n.matrix.end(), m.begin());
    return m;
}

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix out{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) out[size_t(c * 4 + r)] += a[size_t(k * 4 + r)] * b[size_t(c * 4 + k)];
    return out;
}

Vec3 transform(const Matrix& m, Vec3 v) {
    return {float(m[0] * v.x + m[4] * v.y + m[8] * v.z + m[12]), float(m[1] * v.x + m[5] * v.y + m[9] * v.z + m[13]),
            float(m[2] * v.x + m[6] * v.y + m[10] * v.z + m[14])};
}

// Every node's parent, -1 for none; a node listed twice as a child fails the test.
std::vector<int> parents(const tinygltf::Model& m) {
    std::vector<int> out(m.nodes.size(), -1);
    for (size_t i = 0; i < m.nodes.size(); ++i)
        for (int c : m.nodes[i].children) {
            EXPECT_EQ(out.at(size_t(c)), -1) << "node " << c << " has two parents";
            out.at(size_t(c)) = int(i);
        }
    return out;
}

const uint8_t* accessorData(const tinygltf::Model& m, int accessor) {
    const tinygltf::Accessor& a = m.accessors.at(size_t(accessor));
    const tinygltf::BufferView& v = m.bufferViews.at(size_t(a.bufferView));
    return m.buffers.at(size_t(v.buffer)).data.data() + v.byteOffset + a.byteOffset;
}

std::vector<uint32_t> indices(const tinygltf::Model& m, const tinygltf::Primitive& p) {
    const tinygltf::Accessor& a = m.accessors.at(size_t(p.indices));
    const uint8_t* d = accessorData(m, p.indices);
    std::vector<uint32_t> out;
    for (size_t i = 0; i < a.count; ++i) {
        if (a.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) out.push_back(uint32_t(d[2 * i] | d[2 * i + 1] << 8));
        else {
            uint32_t v;
            std::memcpy(&v, d + 4 * i, 4);
            out.push_back(v);
        }
    }
    return out;
}

Vec3 position(const tinygltf::Model& m, const tinygltf::Primitive& p, uint32_t vertex) {
    float f[3];
    std::memcpy(f, accessorData(m, p.attributes.at("POSITION")) + 12 * size_t(vertex), 12);
    return {f[0], f[1], f[2]};
}

using Triangle = std::array<Vec3, 3>;

// The triangles the scene draws, placed by the node chain, in the scene's space.
std::vector<Triangle> sceneTriangles(const tinygltf::Model& m) {
    const std::vector<int> up = parents(m);
    std::vector<Triangle> out;
    for (size_t n = 0; n < m.nodes.size(); ++n) {
        if (m.nodes[n].mesh < 0) continue;
        Matrix world = nodeMatrix(m.nodes[n]);
        for (int p = up[n]; p >= 0; p = up[size_t(p)]) world = multiply(nodeMatrix(m.nodes[size_t(p)]), world);
        for (const tinygltf::Primitive& prim : m.meshes.at(size_t(m.nodes[n].mesh)).primitives) {
            const auto corners = indices(m, prim);
            for (size_t i = 0; i + 2 < corners.size(); i += 3)
                out.push_back({transform(world, position(m, prim, corners[i])), transform(world, position(m, prim, corners[i + 1])),
                               transform(world, position(m, prim, corners[i + 2]))});
        }
    }
    return out;
}

bool near(Vec3 a, Vec3 b) { return length(a - b) < 1e-4f; }

const tinygltf::Material* materialNamed(const tinygltf::Model& m, const std::string& name) {
    for (const auto& mat : m.materials)
        if (mat.name == name) return &mat;
    return nullptr;
}

}  // namespace

// Both forms, with and without the dictionary: the same hierarchy, meshes and triangles;
// pictures only for the textures the dictionary has.
TEST(GltfExport, DocumentMirrorsTheModel) {
    const DffClump clump = readClump(texturedModel());
    ASSERT_EQ(clump.error, "");
    EntryReader dictionary{texturedModelDictionary()};
    const ModelTextures found = LoadModelTextures(clump, dictionary);
    ASSERT_EQ(found.found.size(), 3u);

    for (const GltfForm form : {GltfForm::Binary, GltfForm::Text})
        for (const bool withDictionary : {true, false}) {
            SCOPED_TRACE(testing::Message() << "text " << (form == GltfForm::Text) << " dictionary " << withDictionary);
            const Bytes file = dffToGltf(clump, withDictionary ? found : NoModelTextures(clump), form);
            ASSERT_EQ(std::string(file.begin(), file.begin() + 4), form == GltfForm::Binary ? "glTF" : "{\n  ");
            const tinygltf::Model m = load(file, form);
            EXPECT_EQ(m.asset.version, "2.0");

            // Frames 0-3, then the second atomic of "door" on a child node of its own.
            ASSERT_EQ(m.nodes.size(), 5u);
            const std::vector<std::string> names{"car", "door", "wheel_lf_dummy", "loop", "door"};
            for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(m.nodes[i].name, names[i]);
            EXPECT_EQ(parents(m), (std::vector<int>{-1, 0, 1, -1, 1}));
            ASSERT_EQ(m.scenes.size(), 1u);
            EXPECT_EQ(m.scenes[0].nodes, (std::vector<int>{0, 3}));
            // The box is one mesh on "car" and on the extra node; the triangle one on three frames.
            EXPECT_EQ(m.meshes.size(), 2u);
            const std::vector<int> meshes{0, 1, 1, 1, 0};
            for (size_t i = 0; i < meshes.size(); ++i) EXPECT_EQ(m.nodes[i].mesh, meshes[i]) << i;

            // "door": right (0,1,0), up (-1,0,0), at (0,0,1), at (2,0,0), in y-up space.
            EXPECT_EQ(m.nodes[1].matrix, (std::vector<double>{0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 2, 0, 0, 1}));
            EXPECT_TRUE(m.nodes[4].matrix.empty());

            // Every drawn triangle where the view draws it, corners in drawing order, turned to y-up.
            std::vector<Triangle> want;
            for (const DffPart& part : dffParts(clump)) {
                const auto v = partVertices(clump, part, false);
                for (size_t i = 0; i + 2 < v.size(); i += 3)
                    want.push_back({toGltfSpace(v[i].position), toGltfSpace(v[i + 1].position),
                                    toGltfSpace(v[i + 2].position)});
            }
            const std::vector<Triangle> got = sceneTriangles(m);
            ASSERT_EQ(got.size(), want.size());
            EXPECT_EQ(got.size(), 12u + 1 + 1 + 1 + 12);
            std::vector<bool> used(got.size());
            for (const Triangle& w : want) {
                bool matched = false;
                for (size_t i = 0; i < got.size() && !matched; ++i)
                    if (!used[i] && near(got[i][0], w[0]) && near(got[i][1], w[1]) && near(got[i][2], w[2]))
                        used[i] = matched = true;
                EXPECT_TRUE(matched) << w[0].x << " " << w[0].y << " " << w[0].z;
            }

            // The box: one primitive per material, each of its two triangles; the unlisted last.
            const tinygltf::Mesh& box = m.meshes[0];
            ASSERT_EQ(box.primitives.size(), 6u);
            for (const auto& p : box.primitives) {
                EXPECT_EQ(m.accessors[size_t(p.indices)].count, 6u);
                EXPECT_EQ(p.mode, TINYGLTF_MODE_TRIANGLES);
                EXPECT_TRUE(p.attributes.count("NORMAL") && p.attributes.count("TEXCOORD_0"));
                EXPECT_FALSE(p.attributes.count("COLOR_0"));
                const auto& pos = m.accessors[size_t(p.attributes.at("POSITION"))];
                EXPECT_EQ(pos.minValues, (std::vector<double>{-1, -1, -1}));
                EXPECT_EQ(pos.maxValues, (std::vector<double>{1, 1, 1}));
            }
            EXPECT_EQ(box.primitives[5].material, -1);
            // The triangle: prelit colours as normalised bytes, no normals stored.
            const tinygltf::Primitive& tri = m.meshes[1].primitives.at(0);
            EXPECT_FALSE(tri.attributes.count("NORMAL"));
            const auto& colours = m.accessors[size_t(tri.attributes.at("COLOR_0"))];
            EXPECT_EQ(colours.componentType, TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE);
            EXPECT_TRUE(colours.normalized);
            EXPECT_EQ(accessorData(m, tri.attributes.at("COLOR_0"))[11], 128);

            // Materials: colour / 255, not metallic; textures only for what was found.
            EXPECT_EQ(m.images.size(), withDictionary ? 3u : 0u);
            EXPECT_EQ(m.textures.size(), withDictionary ? 3u : 0u);
            for (const auto& image : m.images) {
                EXPECT_EQ(image.mimeType, "image/png");
                EXPECT_EQ(image.width, 2);
                EXPECT_EQ(image.height, 2);
            }
            struct Row {
                const char* name;
                bool textured;
                const char* alphaMode;  // with the dictionary; without it only the colour counts
                const char* plainMode;
                std::vector<double> colour;
            };
            const Row rows[] = {
                {"body", true, "OPAQUE", "OPAQUE", {1, 1, 1, 1}},
                {"material 1", false, "BLEND", "BLEND", {10 / 255.0, 20 / 255.0, 30 / 255.0, 128 / 255.0}},
                {"Glass", true, "BLEND", "OPAQUE", {1, 1, 1, 1}},
                {"grille", true, "MASK", "OPAQUE", {200 / 255.0, 200 / 255.0, 200 / 255.0, 1}},
                {"missing", false, "OPAQUE", "OPAQUE", {1 / 255.0, 2 / 255.0, 3 / 255.0, 1}},
                {"material 5", false, "OPAQUE", "OPAQUE", {192 / 255.0, 192 / 255.0, 192 / 255.0, 1}},  // the triangle's
            };
            EXPECT_EQ(m.materials.size(), 6u);
            for (const Row& r : rows) {
                const tinygltf::Material* mat = materialNamed(m, r.name);
                ASSERT_NE(mat, nullptr) << r.name;
                const auto& pbr = mat->pbrMetallicRoughness;
                EXPECT_EQ(pbr.baseColorFactor, r.colour) << r.name;
                EXPECT_EQ(pbr.metallicFactor, 0) << r.name;
                EXPECT_EQ(pbr.baseColorTexture.index >= 0, r.textured && withDictionary) << r.name;
                const std::string mode = withDictionary ? r.alphaMode : r.plainMode;
                EXPECT_EQ(mat->alphaMode, mode) << r.name;
                EXPECT_EQ(mat->doubleSided, mode != "OPAQUE") << r.name;
                if (pbr.baseColorTexture.index >= 0) {
                    const auto& image = m.images.at(size_t(m.textures.at(size_t(pbr.baseColorTexture.index)).source));
                    EXPECT_EQ(image.name, r.name);
                }
            }
        }
}

// Node matrices must be a move, a turn and a scale; broken numbers must not reach the file.
TEST(GltfExport, FrameMatricesAreStraightenedAndNumbersKeptFinite) {
    struct Row {
        const char* what;
        DffFrame frame;
    };
    const float nan = std::nanf("");
    const Row rows[] = {
        {"sheared", {"", {1, 0, 0}, {1, 1, 0}, {0, 0, 2}, {1, 2, 3}, -1}},
        {"flat", {"", {2, 0, 0}, {0, 1, 0}, {0, 0, 0}, {0, 0, 0}, -1}},
        {"all zero", {"", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, -1}},
        {"not numbers", {"", {nan, 0, 0}, {0, 1, 0}, {0, 0, 1}, {nan, 1, INFINITY}, -1}},
    };
    for (const Row& r : rows) {
        const auto m = gltfFrameMatrix(r.frame);
        const Vec3 c[3] = {{float(m[0]), float(m[1]), float(m[2])},
                           {float(m[4]), float(m[5]), float(m[6])},
                           {float(m[8]), float(m[9]), float(m[10])}};
        for (double v : m) EXPECT_TRUE(std::isfinite(v)) << r.what;
        for (int i = 0; i < 3; ++i) {
            EXPECT_GT(length(c[i]), 0.5f) << r.what;
            for (int j = i + 1; j < 3; ++j) EXPECT_NEAR(dot(c[i], c[j]), 0, 1e-5) << r.what << " " << i << j;
        }
        EXPECT_EQ(m[3] + m[7] + m[11], 0) << r.what;
        EXPECT_EQ(m[15], 1) << r.what;
    }
    // The sheared frame keeps its right axis and the lengths of the others.
    const auto sheared = gltfFrameMatrix(rows[0].frame);
    EXPECT_EQ((std::vector<double>(sheared.begin(), sheared.begin() + 3)), (std::vector<double>{1, 0, 0}));
    EXPECT_NEAR(std::hypot(sheared[8], sheared[9], sheared[10]), std::sqrt(2.0), 1e-6);  // -up
    EXPECT_NEAR(std::hypot(sheared[4], sheared[5], sheared[6]), 2, 1e-6);                  // at
    EXPECT_EQ((std::vector<double>(sheared.begin() + 12, sheared.end())), (std::vector<double>{1, 3, -2, 1}));

    EXPECT_EQ(toGltfNormal({0, 0, 0}), (Vec3{0, 1, 0}));
    EXPECT_EQ(toGltfNormal({0, -3, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(toGltfSpace({nan, 2, INFINITY}), (Vec3{0, 0, -2}));
}

TEST(GltfExport, FormsFollowTheName) {
    EXPECT_TRUE(isGltfName("a/car.GLB"));
    EXPECT_TRUE(isGltfName("car.gltf"));
    EXPECT_FALSE(isGltfName("car.obj"));
    EXPECT_FALSE(isGltfName("glb"));
    EXPECT_EQ(gltfFormFor("car.GlTf"), GltfForm::Text);
    EXPECT_EQ(gltfFormFor("car.glb"), GltfForm::Binary);
    EXPECT_EQ(gltfFormFor("car"), GltfForm::Binary);
}

// A model with no frames or nothing to draw still makes a file glTF readers open.
TEST(GltfExport, EmptyModelsGiveValidFiles) {
    const DffClump empty;
    const tinygltf::Model a = load(dffToGltf(empty, NoModelTextures(empty), GltfForm::Binary), GltfForm::Binary);
    EXPECT_TRUE(a.nodes.empty() && a.scenes.empty() && a.buffers.empty());
    DffBuilder b;
    b.frame("only");
    const DffClump frameOnly = readClump(b.build());
    const tinygltf::Model c = load(dffToGltf(frameOnly, NoModelTextures(frameOnly), GltfForm::Text), GltfForm::Text);
    EXPECT_EQ(c.nodes.size(), 1u);
    EXPECT_TRUE(c.meshes.empty());
}

// A low-detail copy without texture coordinates may name the same textured material: it gets
// the colour alone (a texture there is invalid glTF), the textured copy keeps its texture.
TEST(GltfExport, PrimitivesWithoutTextureCoordinatesGetNoTexture) {
    DffMaterialPlan body;
    body.texture = "body";
    DffGeometryPlan textured = boxGeometry({0, 0, 0}, {1, 1, 1}, true);
    textured.materials = {body};
    DffGeometryPlan bare = textured;
    bare.flags &= ~0x04u;
    bare.texCoords.clear();
    DffBuilder b;
    b.atomic(b.frame("hi"), b.geometry(textured));
    b.atomic(b.frame("vlo"), b.geometry(bare));
    const DffClump clump = readClump(b.build());
    ASSERT_EQ(clump.error, "");
    EntryReader dictionary{texturedModelDictionary()};
    const tinygltf::Model m = load(dffToGltf(clump, LoadModelTextures(clump, dictionary), GltfForm::Binary), GltfForm::Binary);
    ASSERT_EQ(m.meshes.size(), 2u);
    const auto& withUv = m.meshes[0].primitives.at(0);
    const auto& withoutUv = m.meshes[1].primitives.at(0);
    EXPECT_EQ(withoutUv.attributes.count("TEXCOORD_0"), 0u);
    EXPECT_NE(withUv.material, withoutUv.material);
    EXPECT_GE(m.materials.at(size_t(withUv.material)).pbrMetallicRoughness.baseColorTexture.index, 0);
    EXPECT_EQ(m.materials.at(size_t(withoutUv.material)).pbrMetallicRoughness.baseColorTexture.index, -1);
}
