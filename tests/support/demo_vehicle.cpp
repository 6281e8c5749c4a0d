#include "support/demo_vehicle.h"

#include <array>
#include <cmath>

#include "support/dff_builder.h"
#include "support/txd_builder.h"

namespace testing_support {

using varmelo::Vec3;

namespace {

// w x h texels, blue, green, red, alpha, from a function of the texel.
template <class Texel>
std::vector<uint8_t> picture(int w, int h, Texel texel) {
    std::vector<uint8_t> out;
    out.reserve(size_t(w) * size_t(h) * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::array<uint8_t, 4> rgba = texel(x, y);
            out.insert(out.end(), {rgba[2], rgba[1], rgba[0], rgba[3]});
        }
    return out;
}

}  // namespace

std::vector<uint8_t> demoVehicle() {
    DffBuilder b;
    const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    const int root = b.frame("infernus");
    const int chassis = b.frame({"chassis_dummy", x, y, z, {0, 0, 0.3f}, root});
    const int body = b.frame({"chassis", x, y, z, {0, 0, 0.2f}, chassis});
    const int far = b.frame({"chassis_vlo", x, y, z, {0, 0, 0.2f}, chassis});
    // The bonnet is hinged at the front and lifted by 20 degrees about x.
    const float c = std::cos(0.349f), s = std::sin(0.349f);
    const int bonnet = b.frame({"bonnet_dummy", x, {0, c, s}, {0, -s, c}, {0, 1.0f, 0.75f}, body});
    const int bonnetOk = b.frame({"bonnet_hi_ok", x, y, z, {}, bonnet});
    const int bonnetDam = b.frame({"bonnet_hi_dam", x, y, z, {}, bonnet});

    DffMaterialPlan paint, lights;
    paint.colour = lights.colour = {255, 255, 255, 255};
    paint.texture = kDemoBodyTexture;
    lights.texture = kDemoLightsTexture;
    // Paint all round, the lights on the front face.
    DffGeometryPlan bodyPlan = texturedBoxGeometry({-0.9f, -2.2f, -0.3f}, {0.9f, 2.2f, 0.45f}, {0, 0, 0, 1, 0, 0});
    bodyPlan.materials = {paint, lights};
    DffGeometryPlan bonnetPlan = texturedBoxGeometry({-0.8f, 0.0f, 0.0f}, {0.8f, 1.1f, 0.05f}, {0, 0, 0, 0, 0, 0});
    bonnetPlan.materials = {paint};
    // The damaged bonnet sits crumpled: shorter and thicker (and a little narrower, so that
    // drawn together with the whole one no two faces fight over the same pixels).
    DffGeometryPlan damPlan = texturedBoxGeometry({-0.78f, 0.15f, 0.01f}, {0.78f, 1.0f, 0.2f}, {0, 0, 0, 0, 0, 0});
    damPlan.materials = {paint};
    DffMaterialPlan plainRed;
    plainRed.colour = {170, 30, 30, 255};
    // The far-away body: one plain box just inside the near one.
    DffGeometryPlan farPlan = texturedBoxGeometry({-0.88f, -2.18f, -0.28f}, {0.88f, 2.18f, 0.43f}, {0, 0, 0, 0, 0, 0});
    farPlan.materials = {plainRed};

    b.atomic(body, b.geometry(bodyPlan));
    b.atomic(bonnetOk, b.geometry(bonnetPlan));
    b.atomic(bonnetDam, b.geometry(damPlan));
    b.atomic(far, b.geometry(farPlan));

    const char* names[] = {"wheel_lf_dummy", "wheel_rf_dummy", "wheel_lb_dummy", "wheel_rb_dummy"};
    int storedDummy = -1;
    for (int i = 0; i < 4; ++i) {
        const Vec3 at{(i % 2) ? 0.85f : -0.85f, (i < 2) ? 1.4f : -1.4f, -0.1f};
        const int f = b.frame({names[i], x, y, z, at, chassis});
        if (i == 1) storedDummy = f;
    }
    const int wheel = b.frame({"wheel", x, y, z, {}, storedDummy});
    b.atomic(wheel, b.geometry(wheelGeometry(0.35f, 0.3f, 16, kDemoWheelTexture)));
    return b.build();
}

std::vector<uint8_t> demoVehicleTextures() {
    using varmelo::TexFormat;
    const int n = 64;
    // Red paint with a white racing stripe down the middle and dark panel lines.
    const auto body = picture(n, n, [](int x, int y) -> std::array<uint8_t, 4> {
        if (x >= 26 && x < 38) return {245, 245, 245, 255};
        if (y % 16 == 0) return {90, 10, 10, 255};
        return {200, 20, 20, 255};
    });
    // Two yellow lamps on black.
    const auto lights = picture(n, n, [](int x, int y) -> std::array<uint8_t, 4> {
        for (int cx : {16, 48}) {
            const int dx = x - cx, dy = y - 32;
            if (dx * dx + dy * dy < 12 * 12) return {255, 230, 60, 255};
        }
        return {15, 15, 15, 255};
    });
    // A silver rim of six spokes inside a black tyre ring.
    const auto wheel = picture(n, n, [](int x, int y) -> std::array<uint8_t, 4> {
        const float dx = float(x) - 31.5f, dy = float(y) - 31.5f;
        const float r = std::sqrt(dx * dx + dy * dy);
        if (r > 24) return {25, 25, 25, 255};
        if (r < 5) return {200, 200, 210, 255};
        const float a = std::atan2(dy, dx) * 3.0f / 3.14159265f;  // six spokes
        const bool spoke = std::fabs(a - std::round(a)) < 0.12f;
        if (spoke || r > 21) return {210, 210, 220, 255};
        return {60, 60, 70, 255};
    });
    TxdBuilder b;
    b.add(TxdTexture::d3d9(kDemoBodyTexture, TexFormat::Dxt1, n, n, encodeDxt(varmelo::DxtKind::Dxt1, body, n, n)));
    b.add(TxdTexture::d3d9(kDemoLightsTexture, TexFormat::B8888, n, n, lights));
    b.add(TxdTexture::d3d9(kDemoWheelTexture, TexFormat::B8888, n, n, wheel));
    return b.build();
}

}  // namespace testing_support
