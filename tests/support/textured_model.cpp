#include "support/textured_model.h"

#include "support/dff_builder.h"
#include "support/txd_builder.h"

namespace testing_support {

namespace {

DffMaterialPlan material(std::array<uint8_t, 4> colour, const std::string& texture) {
    DffMaterialPlan m;
    m.colour = colour;
    m.texture = texture;
    return m;
}

}  // namespace

std::vector<uint8_t> texturedModel() {
    DffBuilder b;
    const int car = b.frame({"car", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, -1});
    const int door = b.frame({"door", {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {2, 0, 0}, car});
    const int wheel = b.frame({"wheel_lf_dummy", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, door});
    const int loop = b.frame({"loop", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 5, 0}, 3});

    DffGeometryPlan box = boxGeometry({-1, -1, -1}, {1, 1, 1}, true);
    box.materials = {material({255, 255, 255, 255}, "body"), material({10, 20, 30, 128}, ""),
                     material({255, 255, 255, 255}, "Glass"), material({200, 200, 200, 255}, "grille"),
                     material({1, 2, 3, 255}, "missing")};
    for (size_t i = 0; i < box.triangles.size(); ++i) box.triangles[i][2] = uint16_t(i % 6);

    DffGeometryPlan tri;
    tri.flags = 0x04 | 0x08;  // texture coordinates, prelit colours
    tri.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    tri.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    tri.colours = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 128}};
    tri.triangles = {dffTriangle(0, 1, 2)};

    DffGeometryPlan native;
    native.flags = 0x01000000 | 0x04;
    native.vertexCount = 4;
    native.triangleCount = 2;

    const int boxIndex = b.geometry(box);
    const int triIndex = b.geometry(tri);
    const int nativeIndex = b.geometry(native);
    b.atomic(car, boxIndex).atomic(door, triIndex).atomic(wheel, triIndex);
    b.atomic(door, boxIndex).atomic(car, nativeIndex).atomic(loop, triIndex);
    return b.build();
}

std::vector<uint8_t> texturedModelDictionary() {
    using varmelo::TexFormat;
    // 2 x 2 texels: blue, green, red, alpha.
    const std::vector<uint8_t> solid{0, 0, 255, 255, 0, 255, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255};
    const std::vector<uint8_t> glass{200, 100, 50, 128, 200, 100, 50, 128, 200, 100, 50, 128, 200, 100, 50, 128};
    const std::vector<uint8_t> grille{9, 9, 9, 255, 9, 9, 9, 0, 9, 9, 9, 0, 9, 9, 9, 255};
    return TxdBuilder()
        .add(TxdTexture::d3d9("BODY", TexFormat::B8888, 2, 2, solid))
        .add(TxdTexture::d3d9("glass", TexFormat::B8888, 2, 2, glass, true))
        .add(TxdTexture::d3d9("grille", TexFormat::B8888, 2, 2, grille, true))
        .add(TxdTexture::d3d9("unused", TexFormat::B8888, 2, 2, solid))
        .build();
}

}  // namespace testing_support
