#pragma once
// A texture dictionary opened for editing. Each texture keeps the bytes of its texture native
// chunk as read, shared and never changed, so an untouched texture is written back byte for
// byte and a copy of the whole dictionary (a snapshot to undo to) costs a pointer per texture.
// The dictionary's own chunk header version, its struct (device id and any further bytes) and
// the chunks after its textures (the extension) are kept as they were.
//
// New and changed textures are written for the dictionary's platform: that of its Direct3D
// textures, or when it has none, Direct3D 8 for version stamps below 3.6 and Direct3D 9 from it.
// Every change is checked first and leaves the dictionary as it was when it throws.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/texture/image.h"
#include "core/texture/texture_encode.h"
#include "core/texture/texture_record.h"

namespace varmelo {

struct DictionaryTexture {
    TTexRec info;  // DataOffset counts from the first byte of `native`; DataPos equals it
    std::shared_ptr<const std::vector<uint8_t>> native;  // the whole texture native chunk
};

enum class DictionaryGame { III, ViceCity, SanAndreas };

// Names are at most 31 bytes: the field holds 32 with the terminating zero.
inline constexpr size_t kMaxTextureName = 31;

class TextureDictionary {
public:
    // FormatError "Damaged texture dictionary: <what>" when the bytes are not a whole dictionary.
    static TextureDictionary read(const std::vector<uint8_t>& bytes);
    // An empty dictionary as the game's own files are stamped (3.1.0.1, 3.4.0.3, 3.6.0.3).
    static TextureDictionary create(DictionaryGame game);

    const std::vector<DictionaryTexture>& textures() const { return textures_; }
    uint32_t versionStamp() const { return version_; }
    // The platform new textures are written for (kPlatformD3D8 or kPlatformD3D9; 0 when the
    // dictionary holds textures of another platform only, which cannot take new ones).
    uint32_t platform() const { return platform_; }

    // The texture of that name, ASCII case ignored.
    std::optional<size_t> find(const std::string& name) const;

    // UsageError for an empty name, one over kMaxTextureName bytes, and one already used by
    // another texture than `except`.
    void checkName(const std::string& name, std::optional<size_t> except = std::nullopt) const;

    // `kept` is what "keep" keeps for an added picture (a DDS file's mipmaps).
    void add(const std::string& name, const Image& picture, const EncodeOptions& options, KeptMipmaps kept = {});
    // A new picture for texture i: name, mask and addressing kept.
    void replace(size_t i, const Image& picture, const EncodeOptions& options);
    void remove(size_t i);
    void rename(size_t i, const std::string& name);
    // Texture i re-encoded from its own first level (decoded by the program's decoder).
    void setFormat(size_t i, TargetFormat format, MipmapMode mipmaps);

    std::vector<uint8_t> write() const;

private:
    std::vector<DictionaryTexture> textures_;
    uint32_t version_ = 0;
    uint32_t platform_ = 0;
    uint32_t structVersion_ = 0;
    std::vector<uint8_t> structBody_;  // count (rewritten on write), device id, anything after
    std::vector<uint8_t> tail_;        // the chunks after the textures, as read

    void requirePlatform() const;
    void requireIndex(size_t i) const;
    KeptMipmaps keptOf(size_t i) const;
    NativeHeader headerOf(size_t i) const;
    DictionaryTexture made(WrittenTexture&& w) const;
};

// Texels of a dictionary texture's first level; FormatError with the decoder's message when it
// cannot be decoded.
Image decodeDictionaryTexture(const DictionaryTexture& t);

}  // namespace varmelo
