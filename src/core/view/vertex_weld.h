#pragma once
// Triangle lists repeat a vertex for every triangle that uses it. Welding finds the entries
// that are equal in every attribute, so that a view can send each vertex once with an index
// per entry, and run its vertex stage once per vertex.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace varmelo {

struct WeldedVertices {
    // For each entry, its vertex.
    std::vector<std::uint32_t> indices;
    // For each vertex, the first entry it stands for.
    std::vector<std::uint32_t> sources;
};

// `streams` hold the entries' attributes, the same number of floats per entry in a stream
// (positions 3, colours 4, ...). Entries are equal when every float has the same bits.
WeldedVertices weldVertices(std::size_t entries, std::initializer_list<std::span<const float>> streams);

// The stream's values (`width` per entry) of each vertex's source entry.
template <class T>
std::vector<T> gatherVertices(std::span<const T> stream, std::size_t width, const std::vector<std::uint32_t>& sources) {
    std::vector<T> out;
    out.reserve(sources.size() * width);
    for (const std::uint32_t s : sources)
        out.insert(out.end(), stream.begin() + s * width, stream.begin() + (s + 1) * width);
    return out;
}

}  // namespace varmelo
