#include "core/view/vertex_weld.h"

#include <bit>
#include <cstring>

namespace varmelo {

WeldedVertices weldVertices(std::size_t entries, std::initializer_list<std::span<const float>> streams) {
    struct Stream {
        const float* data;
        std::size_t width;
    };
    std::vector<Stream> parts;
    for (const std::span<const float>& s : streams)
        if (entries > 0 && !s.empty()) parts.push_back({s.data(), s.size() / entries});

    // Entries are hashed and compared in place, by their bits, without copying them out.
    std::vector<std::uint64_t> hashes(entries);
    for (std::size_t e = 0; e < entries; ++e) {
        std::uint64_t h = 1469598103934665603ull;
        for (const Stream& p : parts)
            for (std::size_t k = 0; k < p.width; ++k) {
                std::uint32_t bits;
                std::memcpy(&bits, p.data + e * p.width + k, sizeof bits);
                h = (h ^ bits) * 1099511628211ull;
            }
        hashes[e] = (h ^ (h >> 29)) * 0xbf58476d1ce4e5b9ull;
    }
    auto equal = [&](std::size_t a, std::size_t b) {
        for (const Stream& p : parts)
            if (std::memcmp(p.data + a * p.width, p.data + b * p.width, p.width * sizeof(float)) != 0) return false;
        return true;
    };

    // An open-addressed table of vertices, at most half full: a model's hundreds of thousands
    // of entries are welded in a few milliseconds, without an allocation per vertex.
    constexpr std::uint32_t kFree = 0xFFFFFFFFu;
    const std::size_t mask = std::bit_ceil(entries * 2 + 1) - 1;
    std::vector<std::uint32_t> table(mask + 1, kFree);
    WeldedVertices out;
    out.indices.reserve(entries);
    for (std::size_t e = 0; e < entries; ++e) {
        std::size_t slot = std::size_t(hashes[e] >> 32) & mask;
        while (table[slot] != kFree) {
            const std::uint32_t source = out.sources[table[slot]];
            if (hashes[source] == hashes[e] && equal(source, e)) break;
            slot = (slot + 1) & mask;
        }
        if (table[slot] == kFree) {
            table[slot] = std::uint32_t(out.sources.size());
            out.sources.push_back(std::uint32_t(e));
        }
        out.indices.push_back(table[slot]);
    }
    return out;
}

}  // namespace varmelo
