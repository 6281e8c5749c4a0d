#include "core/export/gltf_export.h"

#include <tiny_gltf.h>

#include <cmath>
#include <map>
#include <sstream>

#include "core/io/binary_file.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "core/model/dff_parts.h"
#include "core/export/gltf_buffer.h"
#include "core/export/gltf_materials.h"
#include "core/export/gltf_space.h"
#include "core/version.h"

namespace varmelo {

namespace {

// A .glb states its lengths in 32 bits; the text form's encoder counts in 32 bits too.
constexpr uint64_t kLargestBuffer = 0xFFFFFFFFull - (64u << 20);

bool endsWithAscii(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && asciiUpper(s.substr(s.size() - suffix.size())) == asciiUpper(suffix);
}

class DocumentBuilder {
public:
    DocumentBuilder(const DffClump& clump, const ModelTextures& textures)
        : clump_(clump), buffer_(model_), materials_(model_, buffer_, textures),
          meshes_(clump.geometries.size(), kNotMade) {}

    tinygltf::Model build() {
        model_.asset.version = "2.0";
        model_.asset.generator = kProgramTitle;
        addFrames();
        placeAtomics();
        buffer_.finish();
        if (buffer_.size() > kLargestBuffer) throw FormatError("The model is too large for a glTF file");
        return std::move(model_);
    }

private:
    static constexpr int kNotMade = -2;

    void addFrames() {
        tinygltf::Scene scene;
        for (size_t i = 0; i < clump_.frames.size(); ++i) {
            const DffFrame& f = clump_.frames[i];
            tinygltf::Node node;
            node.name = cp1251ToUtf8(f.name);
            const auto m = gltfFrameMatrix(f);
            const std::array<double, 16> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
            if (m != identity) node.matrix.assign(m.begin(), m.end());
            model_.nodes.push_back(std::move(node));
            // Parents come first in a frame list; any other index makes a root, so no chain loops.
            if (f.parent >= 0 && size_t(f.parent) < i) model_.nodes[size_t(f.parent)].children.push_back(int(i));
            else scene.nodes.push_back(int(i));
        }
        if (scene.nodes.empty()) return;
        model_.scenes.push_back(std::move(scene));
        model_.defaultScene = 0;
    }

    void placeAtomics() {
        for (const DffPart& part : dffParts(clump_)) {
            if (!part.placed()) continue;
            const int mesh = meshFor(size_t(part.geometry), part.caption);
            if (mesh < 0) continue;
            const size_t frame = size_t(part.frame);
            if (model_.nodes[frame].mesh < 0) {
                model_.nodes[frame].mesh = mesh;
                continue;
            }
            tinygltf::Node extra;
            extra.name = model_.nodes[frame].name;
            extra.mesh = mesh;
            model_.nodes.push_back(std::move(extra));
            model_.nodes[frame].children.push_back(int(model_.nodes.size() - 1));
        }
    }

    // -1 for a geometry that draws nothing.
    int meshFor(size_t index, const std::string& caption) {
        if (meshes_[index] != kNotMade) return meshes_[index];
        meshes_[index] = -1;
        const DffGeometry& g = clump_.geometries[index];
        if (g.nativeData() || g.positions.empty()) return -1;
        const auto groups = trianglesByMaterial(g);
        bool any = false;
        for (const auto& group : groups) any = any || !group.empty();
        if (!any) return -1;

        std::map<std::string, int> attributes;
        std::vector<Vec3> points;
        points.reserve(g.positions.size());
        for (const Vec3& p : g.positions) points.push_back(toGltfSpace(p));
        attributes["POSITION"] = buffer_.addPositions(points);
        if (g.storedNormals() && g.normals.size() == g.positions.size()) {
            points.clear();
            for (const Vec3& n : g.normals) points.push_back(toGltfNormal(n));
            attributes["NORMAL"] = buffer_.addVec3(points);
        }
        if (g.texCoords.size() == g.positions.size()) {
            std::vector<Vec2> uv;
            uv.reserve(g.texCoords.size());
            // Both count v downwards from the picture's top row.
            for (const Vec2& t : g.texCoords)
                uv.push_back({std::isfinite(t.x) ? t.x : 0.0f, std::isfinite(t.y) ? t.y : 0.0f});
            attributes["TEXCOORD_0"] = buffer_.addVec2(uv);
        }
        if (g.colours.size() == g.positions.size()) attributes["COLOR_0"] = buffer_.addColours(g.colours);

        tinygltf::Mesh mesh;
        mesh.name = cp1251ToUtf8(caption);
        for (size_t m = 0; m < groups.size(); ++m) {
            if (groups[m].empty()) continue;
            std::vector<uint32_t> corners;
            corners.reserve(groups[m].size() * 3);
            for (uint32_t t : groups[m])
                for (uint16_t i : drawnCorners(g.triangles[t])) corners.push_back(i);
            tinygltf::Primitive p;
            p.attributes = attributes;
            p.indices = buffer_.addIndices(corners);
            p.mode = TINYGLTF_MODE_TRIANGLES;
            // The last group names no listed material: glTF's default material draws it.
            p.material = m < g.materials.size() ? materials_.materialFor(g.materials[m], attributes.count("TEXCOORD_0") > 0) : -1;
            mesh.primitives.push_back(std::move(p));
        }
        model_.meshes.push_back(std::move(mesh));
        meshes_[index] = int(model_.meshes.size() - 1);
        return meshes_[index];
    }

    const DffClump& clump_;
    tinygltf::Model model_;
    GltfBuffer buffer_;
    GltfMaterials materials_;
    std::vector<int> meshes_;  // per geometry: its mesh, -1 for none, kNotMade before asked
};

}  // namespace

bool isGltfName(const std::string& path) { return endsWithAscii(path, ".glb") || endsWithAscii(path, ".gltf"); }

GltfForm gltfFormFor(const std::string& path) {
    return endsWithAscii(path, ".gltf") ? GltfForm::Text : GltfForm::Binary;
}

std::vector<uint8_t> dffToGltf(const DffClump& clump, const ModelTextures& textures, GltfForm form) {
    const tinygltf::Model model = DocumentBuilder(clump, textures).build();
    tinygltf::TinyGLTF writer;
    writer.SetImageWriter(nullptr, nullptr);  // pictures live in the buffer, never in files
    std::ostringstream out;
    if (!writer.WriteGltfSceneToStream(&model, out, form == GltfForm::Text, form == GltfForm::Binary) || !out)
        throw FormatError("Cannot write the glTF file");
    const std::string bytes = std::move(out).str();
    return {bytes.begin(), bytes.end()};
}

void WriteGltf(const std::string& path, const DffClump& clump, const ModelTextures& textures) {
    const std::vector<uint8_t> bytes = dffToGltf(clump, textures, gltfFormFor(path));
    BinaryFile f = BinaryFile::create(path);
    f.write(bytes.data(), bytes.size());
    f.close();
}

}  // namespace varmelo
