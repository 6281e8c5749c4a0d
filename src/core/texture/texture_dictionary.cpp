#include "core/texture/texture_dictionary.h"

#include <algorithm>
#include <span>

#include "core/io/codepage.h"
#include "core/io/endian.h"
#include "core/io/entry_reader.h"
#include "core/io/errors.h"
#include "core/rw/chunk.h"
#include "core/rw/version_stamp.h"
#include "core/texture/texture_decoder.h"
#include "core/texture/txd_reader.h"

namespace varmelo {

namespace {

constexpr size_t kHeader = kChunkHeaderSize;
constexpr size_t kMaxTextures = 0xFFFF;  // the struct counts them in 16 bits
constexpr uint32_t kFirstD3D9Version = 0x36000;

[[noreturn]] void damaged(const std::string& what) { throw FormatError("Damaged texture dictionary: " + what); }

struct RawChunk {
    uint32_t type = 0;
    uint32_t version = 0;
    size_t offset = 0;  // of the header
    size_t end = 0;
};

// The chunk whose header is at `at`, which must end by `end`.
RawChunk chunkAt(const std::vector<uint8_t>& b, size_t at, size_t end) {
    if (end - at < kHeader) damaged("the chunk header at byte " + std::to_string(at) + " is cut short");
    RawChunk c{u32le(&b[at]), u32le(&b[at + 8]), at, 0};
    const uint32_t size = u32le(&b[at + 4]);
    if (size > end - at - kHeader) damaged(chunkName(c.type) + " at byte " + std::to_string(at) + " runs past its parent");
    c.end = at + kHeader + size;
    return c;
}

void appendChunk(std::vector<uint8_t>& out, uint32_t type, uint32_t version, size_t size) {
    uint8_t h[kHeader];
    put32le(h, type);
    put32le(h + 4, uint32_t(size));
    put32le(h + 8, version);
    out.insert(out.end(), h, h + kHeader);
}

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && asciiUpper(a) == asciiUpper(b);
}

}  // namespace

TextureDictionary TextureDictionary::read(const std::vector<uint8_t>& bytes) {
    TextureDictionary d;
    if (bytes.size() >= 4 && u32le(bytes.data()) != kChunkTextureDictionary)
        damaged("it does not start with a Texture Dictionary chunk");
    const RawChunk top = chunkAt(bytes, 0, bytes.size());
    d.version_ = top.version;
    const RawChunk s = chunkAt(bytes, kHeader, top.end);
    if (s.type != kChunkStruct || s.end - s.offset < kHeader + 4) damaged("its struct is missing or too short");
    d.structVersion_ = s.version;
    d.structBody_.assign(bytes.begin() + std::ptrdiff_t(s.offset + kHeader), bytes.begin() + std::ptrdiff_t(s.end));
    const uint16_t count = u16le(d.structBody_.data());

    std::vector<RawChunk> natives;
    size_t at = s.end;
    while (at < top.end) {
        const RawChunk c = chunkAt(bytes, at, top.end);
        if (c.type != kChunkTextureNative) break;
        natives.push_back(c);
        at = c.end;
    }
    if (natives.size() != count)
        damaged("it announces " + std::to_string(count) + " textures and holds " + std::to_string(natives.size()));
    for (size_t p = at; p < top.end;) p = chunkAt(bytes, p, top.end).end;  // the rest must be whole chunks too
    d.tail_.assign(bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(top.end));

    EntryReader r(std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(top.end)));
    TxdTable table = ReadTextureTable(r);
    if (!table.error.empty()) damaged(table.error);
    if (table.textures.size() != natives.size()) damaged("its textures could not all be read");
    for (size_t i = 0; i < natives.size(); ++i) {
        DictionaryTexture t;
        t.info = std::move(table.textures[i]);
        t.info.DataOffset -= natives[i].offset;
        t.info.DataPos = t.info.DataOffset;
        t.native = std::make_shared<const std::vector<uint8_t>>(bytes.begin() + std::ptrdiff_t(natives[i].offset),
                                                                bytes.begin() + std::ptrdiff_t(natives[i].end));
        d.textures_.push_back(std::move(t));
    }

    d.platform_ = rwLibraryVersion(d.version_) < kFirstD3D9Version ? kPlatformD3D8 : kPlatformD3D9;
    if (!d.textures_.empty()) {
        auto direct3D = std::find_if(d.textures_.begin(), d.textures_.end(),
                                     [](const DictionaryTexture& t) { return isDirect3D(t.info.Platform); });
        d.platform_ = direct3D == d.textures_.end() ? 0 : direct3D->info.Platform;
    }
    return d;
}

TextureDictionary TextureDictionary::create(DictionaryGame game) {
    TextureDictionary d;
    switch (game) {
    case DictionaryGame::III: d.version_ = rwVersionStamp(0x31001); break;
    case DictionaryGame::ViceCity: d.version_ = rwVersionStamp(0x34003); break;
    case DictionaryGame::SanAndreas: d.version_ = rwVersionStamp(0x36003); break;
    }
    d.structVersion_ = d.version_;
    d.platform_ = game == DictionaryGame::SanAndreas ? kPlatformD3D9 : kPlatformD3D8;
    // Count, then the device id San Andreas's own dictionaries carry (Direct3D 9).
    d.structBody_ = {0, 0, uint8_t(game == DictionaryGame::SanAndreas ? 2 : 0), 0};
    appendChunk(d.tail_, kChunkExtension, d.version_, 0);
    return d;
}

std::optional<size_t> TextureDictionary::find(const std::string& name) const {
    for (size_t i = 0; i < textures_.size(); ++i)
        if (sameIgnoringAsciiCase(textures_[i].info.Name, name)) return i;
    return std::nullopt;
}

void TextureDictionary::checkName(const std::string& name, std::optional<size_t> except) const {
    if (name.empty()) throw UsageError("a texture name cannot be empty");
    if (name.size() > kMaxTextureName || name.find('\0') != std::string::npos)
        throw UsageError("the texture name '" + name + "' is longer than " + std::to_string(kMaxTextureName) +
                         " bytes");
    const std::optional<size_t> other = find(name);
    if (other && other != except)
        throw UsageError("the dictionary already has a texture named '" + textures_[*other].info.Name + "'");
}

void TextureDictionary::requirePlatform() const {
    if (platform_ == 0)
        throw UsageError("textures for " + platformName(textures_.front().info.Platform) + " cannot be written");
}

void TextureDictionary::requireIndex(size_t i) const {
    if (i >= textures_.size()) throw UsageError("there is no texture #" + std::to_string(i));
}

KeptMipmaps TextureDictionary::keptOf(size_t i) const {
    const TTexRec& t = textures_[i].info;
    const int levels = std::max<int>(1, t.MipLevels);
    int full = 1;
    for (uint32_t w = t.Width, h = t.Height; w > 1 || h > 1; w = std::max(1u, w / 2), h = std::max(1u, h / 2)) ++full;
    return {levels, levels > 1 && levels >= full};
}

NativeHeader TextureDictionary::headerOf(size_t i) const {
    const DictionaryTexture& t = textures_[i];
    NativeHeader h;
    h.platform = platform_;
    h.name = t.info.Name;
    h.mask = t.info.MaskName;
    if (isDirect3D(t.info.Platform)) {
        // The struct's body starts 88 bytes (and the palette) before the first level's size word.
        const uint64_t fixed = 88 + paletteBytes(t.info.Format) + 4;
        if (t.info.DataOffset >= fixed + 4 && t.info.DataOffset <= t.native->size())
            h.filterFlags = u32le(t.native->data() + (t.info.DataOffset - fixed + 4));
    }
    return h;
}

DictionaryTexture TextureDictionary::made(WrittenTexture&& w) const {
    return {std::move(w.info), std::make_shared<const std::vector<uint8_t>>(std::move(w.chunk))};
}

void TextureDictionary::add(const std::string& name, const Image& picture, const EncodeOptions& options,
                            KeptMipmaps kept) {
    checkName(name);
    requirePlatform();
    if (textures_.size() >= kMaxTextures) throw UsageError("the dictionary cannot hold more textures");
    NativeHeader h;
    h.platform = platform_;
    h.name = name;
    textures_.push_back(made(encodeTexture(picture, options, h, kept, version_)));
}

void TextureDictionary::replace(size_t i, const Image& picture, const EncodeOptions& options) {
    requireIndex(i);
    requirePlatform();
    textures_[i] = made(encodeTexture(picture, options, headerOf(i), keptOf(i), version_));
}

void TextureDictionary::remove(size_t i) {
    requireIndex(i);
    textures_.erase(textures_.begin() + std::ptrdiff_t(i));
}

void TextureDictionary::rename(size_t i, const std::string& name) {
    requireIndex(i);
    checkName(name, i);
    DictionaryTexture& t = textures_[i];
    if (!isDirect3D(t.info.Platform)) throw UsageError("textures for " + platformName(t.info.Platform) + " cannot be renamed");
    const uint64_t fixed = 88 + paletteBytes(t.info.Format) + 4;
    if (t.info.DataOffset < fixed + 4) throw UsageError("texture '" + t.info.Name + "' cannot be renamed");
    auto bytes = std::make_shared<std::vector<uint8_t>>(*t.native);
    uint8_t* field = bytes->data() + (t.info.DataOffset - fixed + 8);
    std::fill_n(field, 32, 0);
    std::copy(name.begin(), name.end(), field);
    t.native = std::move(bytes);
    t.info.Name = name;
}

void TextureDictionary::setFormat(size_t i, TargetFormat format, MipmapMode mipmaps) {
    requireIndex(i);
    requirePlatform();
    const Image picture = decodeDictionaryTexture(textures_[i]);
    textures_[i] = made(encodeTexture(picture, {format, mipmaps, false}, headerOf(i), keptOf(i), version_));
}

std::vector<uint8_t> TextureDictionary::write() const {
    size_t body = kHeader + structBody_.size() + tail_.size();
    for (const DictionaryTexture& t : textures_) body += t.native->size();
    std::vector<uint8_t> out;
    out.reserve(kHeader + body);
    appendChunk(out, kChunkTextureDictionary, version_, body);
    appendChunk(out, kChunkStruct, structVersion_, structBody_.size());
    const size_t countAt = out.size();
    out.insert(out.end(), structBody_.begin(), structBody_.end());
    put16le(&out[countAt], uint16_t(textures_.size()));
    for (const DictionaryTexture& t : textures_) out.insert(out.end(), t.native->begin(), t.native->end());
    out.insert(out.end(), tail_.begin(), tail_.end());
    return out;
}

Image decodeDictionaryTexture(const DictionaryTexture& t) {
    const std::vector<uint8_t>& n = *t.native;
    const std::span<const uint8_t> level =
        t.info.DataOffset <= n.size() ? std::span<const uint8_t>(n).subspan(size_t(t.info.DataOffset))
                                      : std::span<const uint8_t>();
    TexelImage texels;
    const DecodeStatus s = DecodeTexels(t.info, level, texels);
    if (s != DecodeStatus::Ok) throw FormatError("texture '" + t.info.Name + "': " + decodeMessage(t.info, s));
    return std::move(texels.image);
}

}  // namespace varmelo
