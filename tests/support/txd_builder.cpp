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
        std::vector<uint8_t> native = rwChunk(1, textureStruct(t));
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
    std::vector<uint8_t> b(8, 0);
    for (int k = 0; k < 16; ++k) b[size_t(k / 2)] |= uint8_t((alpha4[k] & 15) << ((k % 2) * 4));
    b.insert(b.end(), colour.begin(), colour.end());
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
