#include "support/txd_builder.h"

#include <algorithm>
#include <cstring>

namespace testing_support {

using varmelo::TexFormat;

namespace {

void add32(std::vector<uint8_t>& b, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(uint8_t(v >> (8 * k)));
}
void add16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void addName(std::vector<uint8_t>& b, const std::string& s) {
    for (size_t i = 0; i < 32; ++i) b.push_back(i < s.size() ? uint8_t(s[i]) : 0);
}

constexpr uint32_t fourCC(const char* s) {
    return uint32_t(uint8_t(s[0])) | (uint32_t(uint8_t(s[1])) << 8) | (uint32_t(uint8_t(s[2])) << 16) |
           (uint32_t(uint8_t(s[3])) << 24);
}

uint32_t rasterFor(TexFormat f, bool hasAlpha) {
    switch (f) {
    case TexFormat::Dxt1: return hasAlpha ? 0x0100 : 0x0200;
    case TexFormat::Dxt3:
    case TexFormat::Dxt5: return 0x0300;
    case TexFormat::B8888: return 0x0500;
    case TexFormat::B888: return 0x0600;
    case TexFormat::B1555: return 0x0100;
    case TexFormat::B565: return 0x0200;
    case TexFormat::B4444: return 0x0300;
    case TexFormat::B555: return 0x0A00;
    case TexFormat::Lum8: return 0x0400;
    case TexFormat::Pal8: return 0x2000 | 0x0500;
    case TexFormat::Pal4: return 0x4000 | 0x0500;
    default: return 0;
    }
}

uint8_t depthFor(TexFormat f) {
    switch (f) {
    case TexFormat::Dxt1:
    case TexFormat::Dxt3:
    case TexFormat::Dxt5:
    case TexFormat::B1555:
    case TexFormat::B565:
    case TexFormat::B4444:
    case TexFormat::B555: return 16;
    case TexFormat::Lum8:
    case TexFormat::Pal8: return 8;
    case TexFormat::Pal4: return 4;
    default: return 32;
    }
}

std::vector<uint8_t> defaultPalette(TexFormat f) {
    std::vector<uint8_t> p(varmelo::paletteBytes(f));
    for (size_t i = 0; i < p.size() / 4; ++i) {
        p[i * 4 + 0] = uint8_t(i * 7);    // red
        p[i * 4 + 1] = uint8_t(i * 3);    // green
        p[i * 4 + 2] = uint8_t(255 - i);  // blue
        p[i * 4 + 3] = uint8_t(i * 5);    // alpha
    }
    return p;
}

TxdTexture common(const std::string& name, TexFormat f, uint16_t w, uint16_t h, std::vector<uint8_t> level,
                  bool hasAlpha) {
    TxdTexture t;
    t.name = name;
    t.mask = hasAlpha ? name + "a" : "";
    t.width = w;
    t.height = h;
    t.depth = depthFor(f);
    t.rasterFormat = rasterFor(f, hasAlpha);
    t.level = std::move(level);
    t.palette = defaultPalette(f);
    return t;
}

std::vector<uint8_t> ps2Native(const TxdTexture& t) {
    std::vector<uint8_t> head, body, raster = rwChunk(1, std::vector<uint8_t>(64)), level = rwChunk(1, t.level);
    for (uint32_t v : {t.platform, t.filterFlags}) add32(head, v);
    raster.insert(raster.end(), level.begin(), level.end());
    auto text = [](std::string s) {  // zero-terminated, padded to whole words
        s.resize(s.size() / 4 * 4 + 4);
        return rwChunk(2, {s.begin(), s.end()});
    };
    for (const auto& c : {rwChunk(1, head), text(t.name), text(t.mask), rwChunk(1, raster)})
        body.insert(body.end(), c.begin(), c.end());
    return body;
}

}  // namespace

TxdTexture TxdTexture::d3d8(const std::string& name, TexFormat f, uint16_t w, uint16_t h,
                            std::vector<uint8_t> level, bool hasAlpha) {
    TxdTexture t = common(name, f, w, h, std::move(level), hasAlpha);
    t.platform = 8;
    t.word76 = hasAlpha ? 1 : 0;
    t.byte87 = f == TexFormat::Dxt1 ? 1 : f == TexFormat::Dxt3 ? 3 : f == TexFormat::Dxt5 ? 5 : 0;
    return t;
}

TxdTexture TxdTexture::d3d9(const std::string& name, TexFormat f, uint16_t w, uint16_t h,
                            std::vector<uint8_t> level, bool hasAlpha) {
    TxdTexture t = common(name, f, w, h, std::move(level), hasAlpha);
    t.platform = 9;
    switch (f) {
    case TexFormat::Dxt1: t.word76 = fourCC("DXT1"); break;
    case TexFormat::Dxt3: t.word76 = fourCC("DXT3"); break;
    case TexFormat::Dxt5: t.word76 = fourCC("DXT5"); break;
    case TexFormat::B8888: t.word76 = 21; break;
    case TexFormat::B888: t.word76 = 22; break;
    case TexFormat::B565: t.word76 = 23; break;
    case TexFormat::B555: t.word76 = 24; break;  // D3DFMT_X1R5G5B5
    case TexFormat::B1555: t.word76 = 25; break;
    case TexFormat::B4444: t.word76 = 26; break;
    case TexFormat::Lum8: t.word76 = 50; break;
    case TexFormat::Pal8:
    case TexFormat::Pal4: t.word76 = 41; break;  // D3DFMT_P8
    default: t.word76 = 0; break;
    }
    bool compressed = f == TexFormat::Dxt1 || f == TexFormat::Dxt3 || f == TexFormat::Dxt5;
    t.byte87 = uint8_t((hasAlpha ? 1 : 0) | (compressed ? 8 : 0));
    return t;
}

TxdBuilder& TxdBuilder::add(TxdTexture t) {
    textures_.push_back(std::move(t));
    return *this;
}

TxdBuilder& TxdBuilder::count(uint16_t n) {
    count_ = n;
    return *this;
}

std::vector<uint8_t> TxdBuilder::textureStruct(const TxdTexture& t) {
    std::vector<uint8_t> s;
    add32(s, t.platform);
    add32(s, t.filterFlags);
    addName(s, t.name);
    addName(s, t.mask);
    add32(s, t.rasterFormat);
    add32(s, t.word76);
    add16(s, t.width);
    add16(s, t.height);
    s.push_back(t.depth);
    s.push_back(t.mipLevels);
    s.push_back(t.rasterType);
    s.push_back(t.byte87);
    s.insert(s.end(), t.palette.begin(), t.palette.end());
    add32(s, t.sizeField.value_or(uint32_t(t.level.size())));
    s.insert(s.end(), t.level.begin(), t.level.end());
    for (const auto& l : t.moreLevels) {
        add32(s, uint32_t(l.size()));
        s.insert(s.end(), l.begin(), l.end());
    }
    return s;
}

std::vector<uint8_t> TxdBuilder::build() const {
    std::vector<uint8_t> body;
    std::vector<uint8_t> head;
    add16(head, count_.value_or(uint16_t(textures_.size())));
    add16(head, 0);
    body = rwChunk(1, head);
    for (const auto& t : textures_) {
        std::vector<uint8_t> native = t.platform == varmelo::kPlatformPS2 ? ps2Native(t) : rwChunk(1, textureStruct(t));
        std::vector<uint8_t> ext = rwChunk(3, {});
        native.insert(native.end(), ext.begin(), ext.end());
        std::vector<uint8_t> chunk = rwChunk(21, native);
        body.insert(body.end(), chunk.begin(), chunk.end());
    }
    std::vector<uint8_t> ext = rwChunk(3, {});
    body.insert(body.end(), ext.begin(), ext.end());
    return rwChunk(22, body);
}

std::vector<uint8_t> rwChunk(uint32_t type, const std::vector<uint8_t>& body, uint32_t version) {
    std::vector<uint8_t> c;
    add32(c, type);
    add32(c, uint32_t(body.size()));
    add32(c, version);
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

uint16_t rgb565(uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

std::vector<uint8_t> dxtColourBlock(uint16_t c0, uint16_t c1, uint32_t codeWord) {
    std::vector<uint8_t> b;
    add16(b, c0);
    add16(b, c1);
    add32(b, codeWord);
    return b;
}

std::vector<uint8_t> dxtColourBlock(uint16_t c0, uint16_t c1, const uint8_t codes[16]) {
    uint32_t word = 0;
    for (int k = 0; k < 16; ++k) word |= uint32_t(codes[k] & 3) << (2 * k);
    return dxtColourBlock(c0, c1, word);
}

std::vector<uint8_t> dxt3Block(const uint8_t alpha4[16], const std::vector<uint8_t>& colour) {
    // Sized once and filled: inserting after the 8 alpha bytes makes GCC 12 at -O3 warn of a
    // write out of bounds (-Warray-bounds) that cannot happen.
    std::vector<uint8_t> b(8 + colour.size(), 0);
    for (int k = 0; k < 16; ++k) b[size_t(k / 2)] |= uint8_t((alpha4[k] & 15) << ((k % 2) * 4));
    std::copy(colour.begin(), colour.end(), b.begin() + 8);
    return b;
}

std::vector<uint8_t> dxt5Block(uint8_t a0, uint8_t a1, const uint8_t codes[16], const std::vector<uint8_t>& colour) {
    std::vector<uint8_t> b{a0, a1};
    uint64_t bits = 0;
    for (int k = 0; k < 16; ++k) bits |= uint64_t(codes[k] & 7) << (3 * k);
    for (int i = 0; i < 6; ++i) b.push_back(uint8_t(bits >> (8 * i)));
    b.insert(b.end(), colour.begin(), colour.end());
    return b;
}

std::vector<uint8_t> repeatBlock(const std::vector<uint8_t>& block, size_t count) {
    std::vector<uint8_t> out;
    out.reserve(block.size() * count);
    for (size_t i = 0; i < count; ++i) out.insert(out.end(), block.begin(), block.end());
    return out;
}

}  // namespace testing_support

namespace testing_support {

namespace {

struct Colour {
    int r, g, b;
};

Colour unpack565(uint16_t c) {
    const int r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    return {(r * 255 + 15) / 31, (g * 255 + 31) / 63, (b * 255 + 15) / 31};
}

int distance(const Colour& a, const uint8_t* bgra) {
    const int dr = a.r - bgra[2], dg = a.g - bgra[1], db = a.b - bgra[0];
    return dr * dr + dg * dg + db * db;
}

std::vector<uint8_t> encodeColour(const uint8_t (*texel)[4], bool dxt1) {
    bool transparent = false;
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (int k = 0; k < 16; ++k) {
        if (dxt1 && texel[k][3] < 128) {
            transparent = true;
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], int(texel[k][2 - c]));
            hi[c] = std::max(hi[c], int(texel[k][2 - c]));
        }
    }
    if (lo[0] > hi[0]) lo[0] = lo[1] = lo[2] = hi[0] = hi[1] = hi[2] = 0;  // all transparent
    uint16_t a = rgb565(uint8_t(hi[0]), uint8_t(hi[1]), uint8_t(hi[2]));
    uint16_t b = rgb565(uint8_t(lo[0]), uint8_t(lo[1]), uint8_t(lo[2]));
    // Four colours need c0 > c1; the three-colour mode needs c0 <= c1.
    if (transparent ? a > b : a < b) std::swap(a, b);
    const bool four = !transparent && a != b;
    const Colour ca = unpack565(a), cb = unpack565(b);
    Colour pal[4] = {ca, cb, {}, {}};
    if (four) {
        pal[2] = {(2 * ca.r + cb.r) / 3, (2 * ca.g + cb.g) / 3, (2 * ca.b + cb.b) / 3};
        pal[3] = {(ca.r + 2 * cb.r) / 3, (ca.g + 2 * cb.g) / 3, (ca.b + 2 * cb.b) / 3};
    } else {
        pal[2] = {(ca.r + cb.r) / 2, (ca.g + cb.g) / 2, (ca.b + cb.b) / 2};
    }
    uint8_t codes[16];
    for (int k = 0; k < 16; ++k) {
        if (transparent && texel[k][3] < 128) {
            codes[k] = 3;
            continue;
        }
        const int choices = four ? 4 : 3;
        int best = 0;
        for (int i = 1; i < choices; ++i)
            if (distance(pal[i], texel[k]) < distance(pal[best], texel[k])) best = i;
        codes[k] = uint8_t(best);
    }
    return dxtColourBlock(a, b, codes);
}

std::vector<uint8_t> encodeBlock(varmelo::DxtKind kind, const uint8_t (*texel)[4]) {
    using varmelo::DxtKind;
    if (kind == DxtKind::Dxt1) return encodeColour(texel, true);
    std::vector<uint8_t> colour = encodeColour(texel, false);
    if (kind == DxtKind::Dxt3) {
        uint8_t a4[16];
        for (int k = 0; k < 16; ++k) a4[k] = uint8_t((texel[k][3] + 8) / 17);
        return dxt3Block(a4, colour);
    }
    int a0 = 0, a1 = 255;
    for (int k = 0; k < 16; ++k) {
        a0 = std::max(a0, int(texel[k][3]));
        a1 = std::min(a1, int(texel[k][3]));
    }
    int value[8] = {a0, a1};
    for (int i = 1; i <= 6; ++i) value[i + 1] = ((7 - i) * a0 + i * a1 + 3) / 7;
    uint8_t codes[16];
    for (int k = 0; k < 16; ++k) {
        int best = 0;
        for (int i = 1; i < 8; ++i)
            if (std::abs(value[i] - texel[k][3]) < std::abs(value[best] - texel[k][3])) best = i;
        codes[k] = uint8_t(a0 == a1 ? 0 : best);
    }
    return dxt5Block(uint8_t(a0), uint8_t(a1), codes, colour);
}

}  // namespace

std::vector<uint8_t> encodeDxt(varmelo::DxtKind kind, const std::vector<uint8_t>& bgra, int w, int h) {
    std::vector<uint8_t> out;
    for (int by = 0; by < (h + 3) / 4; ++by)
        for (int bx = 0; bx < (w + 3) / 4; ++bx) {
            uint8_t texel[16][4];
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    const int x = std::min(bx * 4 + i, w - 1), y = std::min(by * 4 + j, h - 1);
                    std::memcpy(texel[j * 4 + i], &bgra[(size_t(y) * size_t(w) + size_t(x)) * 4], 4);
                }
            std::vector<uint8_t> b = encodeBlock(kind, texel);
            out.insert(out.end(), b.begin(), b.end());
        }
    return out;
}

std::vector<uint8_t> demoPicture(int w, int h, int variant) {
    std::vector<uint8_t> out;
    out.reserve(size_t(w) * size_t(h) * 4);
    const int cx = w / 2, cy = h / 2, radius = std::min(w, h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool frame = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
            const int dx = x - cx, dy = y - cy;
            const int d2 = dx * dx + dy * dy;
            int alpha = 255;
            if (d2 > radius * radius) alpha = 0;
            else if (d2 > radius * radius / 2) alpha = 255 - 255 * (d2 - radius * radius / 2) / (radius * radius / 2 + 1);
            if (frame) alpha = 255;
            const int r = frame ? 255 : 255 * x / std::max(1, w - 1);
            const int g = frame ? 255 : 255 * y / std::max(1, h - 1);
            const int b = frame ? 255 : (variant * 64 + 128 * ((x / 8 + y / 8) % 2)) % 256;
            out.insert(out.end(), {uint8_t(b), uint8_t(g), uint8_t(r), uint8_t(alpha)});
        }
    return out;
}

std::vector<uint8_t> demoIndexed(int w, int h, std::vector<uint8_t>& palette) {
    palette.assign(1024, 0);
    for (int i = 0; i < 256; ++i) {
        palette[size_t(i) * 4 + 0] = uint8_t((i & 0xE0) | 0x10);         // red: top 3 bits
        palette[size_t(i) * 4 + 1] = uint8_t(((i & 0x1C) << 3) | 0x10);  // green: next 3
        palette[size_t(i) * 4 + 2] = uint8_t(((i & 0x03) << 6) | 0x20);  // blue: last 2
        palette[size_t(i) * 4 + 3] = 255;
    }
    std::vector<uint8_t> pic = demoPicture(w, h, 1);
    std::vector<uint8_t> out;
    for (size_t i = 0; i < pic.size(); i += 4)
        out.push_back(uint8_t((pic[i + 2] & 0xE0) | ((pic[i + 1] >> 3) & 0x1C) | (pic[i] >> 6)));
    return out;
}

std::vector<uint8_t> demoDictionary() {
    using varmelo::DxtKind;
    const int n = 64;
    TxdBuilder b;
    for (uint32_t platform : {8u, 9u}) {
        auto make = [&](const std::string& name, TexFormat f, std::vector<uint8_t> level, bool alpha) {
            const std::string full = (platform == 8 ? "vc_" : "sa_") + name;
            b.add(platform == 8 ? TxdTexture::d3d8(full, f, n, n, std::move(level), alpha)
                                : TxdTexture::d3d9(full, f, n, n, std::move(level), alpha));
        };
        std::vector<uint8_t> opaque = demoPicture(n, n, 0);
        for (size_t i = 3; i < opaque.size(); i += 4) opaque[i] = 255;
        make("dxt1", TexFormat::Dxt1, encodeDxt(DxtKind::Dxt1, opaque, n, n), false);
        std::vector<uint8_t> cut = demoPicture(n, n, 1);
        make("dxt1_cutout", TexFormat::Dxt1, encodeDxt(DxtKind::Dxt1, cut, n, n), true);
        make("dxt3", TexFormat::Dxt3, encodeDxt(DxtKind::Dxt3, demoPicture(n, n, 2), n, n), true);
        make("dxt5", TexFormat::Dxt5, encodeDxt(DxtKind::Dxt5, demoPicture(n, n, 3), n, n), true);
        make("argb", TexFormat::B8888, demoPicture(n, n, 2), true);
        std::vector<uint8_t> palette;
        std::vector<uint8_t> indices = demoIndexed(n, n, palette);
        TxdTexture pal = platform == 8 ? TxdTexture::d3d8("vc_pal8", TexFormat::Pal8, n, n, indices)
                                       : TxdTexture::d3d9("sa_pal8", TexFormat::Pal8, n, n, indices);
        pal.palette = palette;
        b.add(pal);
    }
    return b.build();
}

}  // namespace testing_support
