#include "core/model/vertex_weld.h"

#include <cstring>
#include <unordered_map>

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
    auto hash = [&](std::uint32_t e) {
        std::uint64_t h = 1469598103934665603ull;
        for (const Stream& p : parts)
            for (std::size_t k = 0; k < p.width; ++k) {
                std::uint32_t bits;
                std::memcpy(&bits, p.data + e * p.width + k, sizeof bits);
                h = (h ^ bits) * 1099511628211ull;
            }
        return std::size_t(h);
    };
    auto equal = [&](std::uint32_t a, std::uint32_t b) {
        for (const Stream& p : parts)
            if (std::memcmp(p.data + a * p.width, p.data + b * p.width, p.width * sizeof(float)) != 0) return false;
        return true;
    };
    std::unordered_map<std::uint32_t, std::uint32_t, decltype(hash), decltype(equal)> seen(entries, hash, equal);

    WeldedVertices out;
    out.indices.reserve(entries);
    for (std::uint32_t e = 0; e < entries; ++e) {
        const auto [it, added] = seen.try_emplace(e, std::uint32_t(out.sources.size()));
        if (added) out.sources.push_back(e);
        out.indices.push_back(it->second);
    }
    return out;
}

}  // namespace varmelo
