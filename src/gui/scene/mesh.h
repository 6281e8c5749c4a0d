#pragma once
// A triangle list: every three vertex entries make one triangle, counter-clockwise seen from
// the front. Positions and normals are 3 floats per vertex, colours 4 (RGBA, 0..1). The
// entries are either the vertices themselves in order, or an index list naming vertices of
// the arrays (a model's geometry, each vertex stored once however many triangles share it).
//
// The arrays are kept apart so that a colour change sends only colours to the GL, and
// fillColour() sends nothing at all: a part of a model can be painted or hidden at once,
// whatever its size.
#include <QColor>
#include <cstdint>
#include <optional>
#include <vector>

#include "gui/scene/scene_item.h"
#include "gui/scene/texture.h"

namespace varmelo::gui::scene {

// A run of entries drawn with one texture (none: the plain colours). A blended range is mixed
// into what lies behind by its alpha; it is drawn after every opaque item, without writing
// depth, and texels of no alpha at all are dropped.
struct MeshRange {
    int first = 0;
    int count = 0;
    TexturePtr texture;
    bool blended = false;
    // One colour for the whole range (a model material's) in place of the material's; the
    // vertex colours and a fill colour still win over it.
    std::optional<Rgba> colour;
    // A reflection added to the range: the environment map looked up by the surface's
    // direction to the viewer, times `envCoefficient`; none without a texture.
    TexturePtr envTexture;
    float envCoefficient = 0;
};

class Mesh : public SceneItem {
public:
    enum class VertexMode {
        // Each vertex brings its colour; the light acts on that colour.
        PositionNormalColour,
        // The item's material gives the colour.
        PositionNormal,
    };

    explicit Mesh(Scene& scene) : SceneItem(scene, Kind::Mesh) {}

    VertexMode vertexMode() const { return mode_; }
    void setVertexMode(VertexMode mode);

    // The whole list at once. `normals` has as many entries as `positions`; `colours` is
    // 4 floats per vertex, or empty for the material's colour. A list whose vertex count is
    // not a multiple of three loses the incomplete last triangle when drawn.
    void setTriangles(std::vector<float> positions, std::vector<float> normals, std::vector<float> colours = {});
    // Indexed triangles: three indices a triangle into the vertex arrays; indices past them
    // are dropped with their triangle. Empty `normals` light each face by its own plane, as
    // the view sees its drawn corners; otherwise 3 floats per vertex.
    void setIndexedTriangles(std::vector<float> positions, std::vector<float> normals,
                             std::vector<std::uint16_t> indices);
    // One vertex entry at the end of a list without indices (an indexed one is emptied
    // first). An invalid colour takes the material's.
    void appendVertex(const QVector3D& position, const QVector3D& normal, const QColor& colour = {});
    void clear();

    // Texture coordinates (2 floats per vertex, (0, 0) top left of the picture) and the ranges
    // of entries the list is drawn in; without ranges the whole list is drawn untextured.
    // Cleared by setTriangles(), setIndexedTriangles() and clear().
    void setTexturing(std::vector<float> texCoords, std::vector<MeshRange> ranges);
    const std::vector<float>& texCoords() const { return texCoords_; }
    // Per-vertex colours (4 floats, 0..1) the drawn colour is multiplied by, after the light
    // and the picture: a model's prelight. An indexed mesh's, kept until its vertices change;
    // empty for none.
    void setTints(std::vector<float> tints);
    const std::vector<float>& tints() const { return tints_; }
    const std::vector<MeshRange>& ranges() const { return ranges_; }
    bool hasBlendedRanges() const;

    // New per-vertex colours for the same vertices (4 floats each).
    void setColours(std::vector<float> colours);
    // Every vertex drawn in one colour, in place of the vertex colours (kept for later) or of
    // the material's; cheap at any size.
    void fillColour(const QColor& colour);
    // Back to the vertex colours after fillColour().
    void clearFillColour();
    bool hasFillColour() const { return hasFill_; }
    const Rgba& fillRgba() const { return fill_; }

    int vertexCount() const { return int(positions_.size() / 3); }
    // The entries drawn: the indices of an indexed list, the vertices of another.
    int entryCount() const { return indexed_ ? int(indices_.size()) : vertexCount(); }
    int triangleCount() const { return entryCount() / 3; }
    bool indexed() const { return indexed_; }
    const std::vector<std::uint16_t>& indices() const { return indices_; }
    // True when each face is lit by its own plane, without normals of its vertices.
    bool flatNormals() const { return indexed_ && normals_.empty(); }
    const std::vector<float>& positions() const { return positions_; }
    const std::vector<float>& normals() const { return normals_; }
    const std::vector<float>& colours() const { return colours_; }
    // True when each vertex has a colour of its own to draw with.
    bool usesVertexColours() const;

    // Raised on every change of the vertices or of their colours; views compare them with
    // what they uploaded last.
    std::uint64_t geometryRevision() const { return geometryRevision_; }
    std::uint64_t colourRevision() const { return colourRevision_; }

    bool localBounds(QVector3D& centre, float& radius) const override;

private:
    void geometryChanged();

    VertexMode mode_ = VertexMode::PositionNormalColour;
    std::vector<float> positions_;
    std::vector<float> normals_;
    std::vector<float> colours_;
    std::vector<float> texCoords_;
    std::vector<float> tints_;
    std::vector<std::uint16_t> indices_;
    bool indexed_ = false;
    std::vector<MeshRange> ranges_;
    bool hasFill_ = false;
    Rgba fill_{1, 1, 1, 1};
    std::uint64_t geometryRevision_ = 1;
    std::uint64_t colourRevision_ = 1;

    mutable bool boundsValid_ = false;
    mutable bool boundsEmpty_ = true;
    mutable QVector3D boundsCentre_;
    mutable float boundsRadius_ = 0;
};

}  // namespace varmelo::gui::scene
