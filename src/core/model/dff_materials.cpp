#include "core/model/dff_materials.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/io/endian.h"
#include "core/io/errors.h"
#include "core/rw/chunk.h"

namespace varmelo {

namespace {

constexpr uint32_t kChunkTexture = 0x06;
constexpr uint32_t kChunkMaterial = 0x07;
constexpr uint32_t kChunkMaterialList = 0x08;
constexpr uint64_t kMaterialStructBytes = 16;  // flags, colour, unused, is-textured
constexpr uint32_t kChunkMaterialEffects = 0x0120;
constexpr uint32_t kEffectNone = 0, kEffectBumpMap = 1, kEffectEnvMap = 2, kEffectDual = 4, kEffectUvTransform = 5;
constexpr uint32_t kMostMaterials = 65536;

std::string readName(EntryReader& r, uint64_t end) {
    std::string name;
    const auto s = FindChunkWithin(r, kChunkString, end);
    if (!s) return name;
    const std::vector<uint8_t> b = r.read(size_t(s->end - r.pos()));
    for (uint8_t c : b) {
        if (c == 0) break;
        name.push_back(char(c));
    }
    r.seek(s->end);
    return name;
}

// A Texture chunk right here: its texture name; the reader left after it.
std::string readTextureName(EntryReader& r, uint64_t end) {
    const auto texture = FindChunkWithin(r, kChunkTexture, end);
    if (!texture) throwReadBeyondEnd();
    if (const auto ts = FindChunkWithin(r, kChunkStruct, texture->end)) r.seek(ts->end);
    std::string name = readName(r, texture->end);
    r.seek(texture->end);
    return name;
}

// The environment map of a Material Effects chunk, read up to `end`.
void readMaterialEffects(EntryReader& r, uint64_t end, DffMaterial& m) {
    const auto need = [&](uint64_t bytes) {
        if (end - r.pos() < bytes) throwReadBeyondEnd();
    };
    need(4);
    r.u32le();  // the effect kind: the two types below say the same
    for (int slot = 0; slot < 2; ++slot) {
        need(4);
        const uint32_t type = r.u32le();
        if (type == kEffectEnvMap) {
            need(12);
            const uint32_t coefficient = r.u32le();
            r.u32le();
            const bool textured = r.u32le() != 0;
            std::memcpy(&m.envCoefficient, &coefficient, 4);
            if (!std::isfinite(m.envCoefficient)) m.envCoefficient = 0;
            if (textured) m.envTexture = readTextureName(r, end);
            return;
        }
        if (type == kEffectBumpMap) {
            need(8);
            r.u32le();
            if (r.u32le() != 0) readTextureName(r, end);
            need(4);
            if (r.u32le() != 0) readTextureName(r, end);
        } else if (type == kEffectDual) {
            need(12);
            r.u32le();
            r.u32le();
            if (r.u32le() != 0) readTextureName(r, end);
        } else if (type != kEffectNone && type != kEffectUvTransform) {
            return;  // a kind we do not know: its fields cannot be stepped over
        }
    }
}

DffMaterial readMaterial(EntryReader& r, uint64_t materialEnd) {
    DffMaterial m;
    const auto s = FindChunkWithin(r, kChunkStruct, materialEnd);
    if (!s || s->end - r.pos() < kMaterialStructBytes) throwReadBeyondEnd();
    uint8_t b[kMaterialStructBytes];
    r.read(b, sizeof b);
    m.colour = {b[4], b[5], b[6], b[7]};
    m.textured = (b[12] | b[13] | b[14] | b[15]) != 0;
    r.seek(s->end);
    if (m.textured) {
        const auto texture = FindChunkWithin(r, kChunkTexture, materialEnd);
        if (!texture) return m;
        if (const auto ts = FindChunkWithin(r, kChunkStruct, texture->end)) r.seek(ts->end);
        m.texture = readName(r, texture->end);
        m.mask = readName(r, texture->end);
        r.seek(texture->end);
    }
    // The reflection is a look only: a damaged effects chunk leaves the material as read.
    try {
        if (const auto extension = FindChunkWithin(r, kChunkExtension, materialEnd))
            if (const auto effects = FindChunkWithin(r, kChunkMaterialEffects, extension->end))
                readMaterialEffects(r, effects->end, m);
    } catch (const FileError&) {
        m.envTexture.clear();
        m.envCoefficient = 0;
    }
    return m;
}

}  // namespace

std::vector<DffMaterial> ReadMaterialList(EntryReader& r, uint64_t geometryEnd) {
    std::vector<DffMaterial> materials;
    try {
        const auto list = FindChunkWithin(r, kChunkMaterialList, geometryEnd);
        if (!list) return materials;
        const uint64_t end = list->end;
        const auto s = FindChunkWithin(r, kChunkStruct, end);
        if (!s || s->end - r.pos() < 4) return materials;
        const uint32_t count = r.u32le();
        // Each entry takes 4 bytes of the Struct, so the Struct's size bounds the count; a
        // triangle can name no more than 65 536 materials, so more are never read.
        if (count > (s->end - r.pos()) / 4) return materials;
        const uint32_t used = std::min<uint32_t>(count, kMostMaterials);
        const std::vector<uint8_t> words = r.read(size_t(used) * 4);
        r.seek(s->end);
        for (uint32_t i = 0; i < used; ++i) {
            const int32_t repeats = i32le(words.data() + 4 * i);
            if (repeats >= 0) {
                if (uint32_t(repeats) >= i) break;
                const DffMaterial earlier = materials[size_t(repeats)];
                materials.push_back(earlier);
                continue;
            }
            const auto material = FindChunkWithin(r, kChunkMaterial, end);
            if (!material) break;
            materials.push_back(readMaterial(r, material->end));
            r.seek(material->end);
        }
    } catch (const FileError&) {
        // A damaged material keeps the ones before it; the geometry itself is read on.
    }
    return materials;
}

}  // namespace varmelo
