#include "gui/scene/mesh.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace varmelo::gui::scene {

void Mesh::setVertexMode(VertexMode mode) {
    if (mode_ == mode) return;
    mode_ = mode;
    ++colourRevision_;
    changed();
}

void Mesh::geometryChanged() {
    ++geometryRevision_;
    ++colourRevision_;
    boundsValid_ = false;
    changed();
}

void Mesh::setTriangles(std::vector<float> positions, std::vector<float> normals, std::vector<float> colours) {
    positions.resize(positions.size() / 3 * 3);
    const std::size_t vertices = positions.size() / 3;
    // Missing normals or colours are filled rather than read past the end when drawn.
    normals.resize(vertices * 3, 0.0f);
    if (!colours.empty()) colours.resize(vertices * 4, 1.0f);
    positions_ = std::move(positions);
    normals_ = std::move(normals);
    colours_ = std::move(colours);
    texCoords_.clear();
    tints_.clear();
    indices_.clear();
    indexed_ = false;
    ranges_.clear();
    geometryChanged();
}

void Mesh::setIndexedTriangles(std::vector<float> positions, std::vector<float> normals,
                               std::vector<std::uint16_t> indices) {
    positions.resize(positions.size() / 3 * 3);
    const std::size_t vertices = positions.size() / 3;
    if (!normals.empty()) normals.resize(vertices * 3, 0.0f);
    // A triangle naming a vertex the arrays lack would read past them when drawn.
    std::size_t kept = 0;
    for (std::size_t t = 0; t + 3 <= indices.size(); t += 3) {
        if (indices[t] >= vertices || indices[t + 1] >= vertices || indices[t + 2] >= vertices) continue;
        if (kept != t) std::copy_n(indices.begin() + std::ptrdiff_t(t), 3, indices.begin() + std::ptrdiff_t(kept));
        kept += 3;
    }
    indices.resize(kept);
    positions_ = std::move(positions);
    normals_ = std::move(normals);
    colours_.clear();
    texCoords_.clear();
    tints_.clear();
    indices_ = std::move(indices);
    indexed_ = true;
    ranges_.clear();
    geometryChanged();
}

void Mesh::setTexturing(std::vector<float> texCoords, std::vector<MeshRange> ranges) {
    texCoords.resize(positions_.size() / 3 * 2, 0.0f);
    // Ranges are kept inside the list, so a draw never reads past it.
    const int vertices = entryCount();
    std::vector<MeshRange> kept;
    for (MeshRange& r : ranges) {
        r.first = std::clamp(r.first, 0, vertices);
        r.count = std::clamp(r.count, 0, vertices - r.first);
        if (r.count > 0) kept.push_back(std::move(r));
    }
    texCoords_ = std::move(texCoords);
    ranges_ = std::move(kept);
    geometryChanged();
}

void Mesh::setTints(std::vector<float> tints) {
    if (!indexed_) tints.clear();
    if (!tints.empty()) tints.resize(positions_.size() / 3 * 4, 1.0f);
    tints_ = std::move(tints);
    geometryChanged();
}

bool Mesh::hasBlendedRanges() const {
    for (const MeshRange& r : ranges_)
        if (r.blended) return true;
    return false;
}

void Mesh::appendVertex(const QVector3D& position, const QVector3D& normal, const QColor& colour) {
    if (indexed_) clear();
    const std::size_t before = positions_.size() / 3;
    positions_.insert(positions_.end(), {position.x(), position.y(), position.z()});
    normals_.insert(normals_.end(), {normal.x(), normal.y(), normal.z()});
    if (!texCoords_.empty()) texCoords_.insert(texCoords_.end(), {0.0f, 0.0f});
    if (colour.isValid() || !colours_.empty()) {
        // The first coloured entry gives the earlier ones the material's colour.
        if (colours_.empty() && before > 0) {
            const Rgba& d = material().diffuse;
            for (std::size_t i = 0; i < before; ++i) colours_.insert(colours_.end(), d.begin(), d.end());
        }
        if (colour.isValid()) {
            colours_.insert(colours_.end(), {float(colour.redF()), float(colour.greenF()), float(colour.blueF()),
                                             float(colour.alphaF())});
        } else {
            const Rgba& d = material().diffuse;
            colours_.insert(colours_.end(), d.begin(), d.end());
        }
    }
    geometryChanged();
}

void Mesh::clear() {
    positions_.clear();
    normals_.clear();
    colours_.clear();
    texCoords_.clear();
    tints_.clear();
    indices_.clear();
    indexed_ = false;
    ranges_.clear();
    geometryChanged();
}

void Mesh::setColours(std::vector<float> colours) {
    if (!colours.empty()) colours.resize(positions_.size() / 3 * 4, 1.0f);
    colours_ = std::move(colours);
    hasFill_ = false;
    ++colourRevision_;
    changed();
}

void Mesh::fillColour(const QColor& colour) {
    fill_ = {float(colour.redF()), float(colour.greenF()), float(colour.blueF()), float(colour.alphaF())};
    hasFill_ = true;
    changed();
}

void Mesh::clearFillColour() {
    if (!hasFill_) return;
    hasFill_ = false;
    changed();
}

bool Mesh::usesVertexColours() const {
    return mode_ == VertexMode::PositionNormalColour && !hasFill_ && !colours_.empty();
}

bool Mesh::localBounds(QVector3D& centre, float& radius) const {
    if (!boundsValid_) {
        boundsValid_ = true;
        boundsEmpty_ = true;
        // Only the vertices drawn count: an indexed list may store some no triangle names.
        std::vector<bool> drawn(indexed_ ? positions_.size() / 3 : 0, false);
        for (const std::uint16_t i : indices_) drawn[i] = true;
        auto counts = [&](std::size_t i) { return !indexed_ || drawn[i / 3]; };
        float lo[3] = {}, hi[3] = {};
        for (std::size_t i = 0; i < positions_.size(); i += 3) {
            if (!counts(i)) continue;
            for (int k = 0; k < 3; ++k) {
                lo[k] = boundsEmpty_ ? positions_[i + k] : std::min(lo[k], positions_[i + k]);
                hi[k] = boundsEmpty_ ? positions_[i + k] : std::max(hi[k], positions_[i + k]);
            }
            boundsEmpty_ = false;
        }
        boundsCentre_ = QVector3D((lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2, (lo[2] + hi[2]) / 2);
        float r2 = 0;
        for (std::size_t i = 0; i < positions_.size(); i += 3) {
            if (!counts(i)) continue;
            const float dx = positions_[i] - boundsCentre_.x();
            const float dy = positions_[i + 1] - boundsCentre_.y();
            const float dz = positions_[i + 2] - boundsCentre_.z();
            r2 = std::max(r2, dx * dx + dy * dy + dz * dz);
        }
        boundsRadius_ = std::sqrt(r2);
    }
    if (boundsEmpty_) return false;
    centre = boundsCentre_;
    radius = boundsRadius_;
    return true;
}

}  // namespace varmelo::gui::scene
