#include "core/texture/linear_resample.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/texture/rounding.h"

namespace varmelo {

namespace {

const std::array<float, 256>& linearOf() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[size_t(i)] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

uint8_t srgbByte(float linear) {
    const double l = std::clamp(double(linear), 0.0, 1.0);
    const double c = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    return roundHalfEvenByte(float(c * 255.0));
}

// The picture as linear-light floats, four per texel in the picture's byte order.
std::vector<float> toLinear(const Image& img) {
    const auto& lin = linearOf();
    std::vector<float> out(img.bgra.size());
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = (i % 4 == 3) ? img.bgra[i] / 255.0f : lin[img.bgra[i]];
    return out;
}

Image fromLinear(const std::vector<float>& px, int w, int h) {
    Image out(w, h);
    for (size_t i = 0; i < px.size(); ++i)
        out.bgra[i] = (i % 4 == 3) ? roundHalfEvenByte(px[i] * 255.0f) : srgbByte(px[i]);
    return out;
}

// One pass of the box filter along one axis: `n` source texels to `m`, for `lines` lines whose
// texels are `step` floats apart, lines `lineStep` floats apart.
std::vector<float> boxPass(const std::vector<float>& src, int n, int m, int lines, size_t step, size_t lineStep,
                           size_t outStep, size_t outLineStep, size_t outSize) {
    std::vector<float> out(outSize, 0.0f);
    const double scale = double(n) / m;
    for (int j = 0; j < m; ++j) {
        const double from = j * scale, to = (j + 1) * scale;
        for (int i = int(from); i < n && i < to; ++i) {
            const float weight = float((std::min(to, double(i + 1)) - std::max(from, double(i))) / scale);
            if (weight <= 0.0f) continue;
            for (int l = 0; l < lines; ++l) {
                const float* s = &src[size_t(l) * lineStep + size_t(i) * step];
                float* d = &out[size_t(l) * outLineStep + size_t(j) * outStep];
                for (int c = 0; c < 4; ++c) d[c] += weight * s[c];
            }
        }
    }
    return out;
}

}  // namespace

Image resizeImage(const Image& img, int w, int h) {
    if (img.width == w && img.height == h) return img;
    const std::vector<float> src = toLinear(img);
    // Rows first, to w texels each; then the columns of that, to h texels each.
    const std::vector<float> rows =
        boxPass(src, img.width, w, img.height, 4, size_t(img.width) * 4, 4, size_t(w) * 4, size_t(w) * img.height * 4);
    const std::vector<float> both =
        boxPass(rows, img.height, h, w, size_t(w) * 4, 4, size_t(w) * 4, 4, size_t(w) * h * 4);
    return fromLinear(both, w, h);
}

Image halveImage(const Image& img) {
    return resizeImage(img, std::max(1, img.width / 2), std::max(1, img.height / 2));
}

int fullMipmapCount(int w, int h) {
    int n = 1;
    while (w > 1 || h > 1) {
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
        ++n;
    }
    return n;
}

std::vector<Image> mipmapChain(const Image& top, int levels) {
    std::vector<Image> chain{top};
    for (int i = 1; i < levels; ++i) chain.push_back(halveImage(chain.back()));
    return chain;
}

}  // namespace varmelo
