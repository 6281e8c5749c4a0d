#pragma once
// Directories of fixed-size records, read in large blocks: one read per block, each record
// decoded in place.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/archive/entry.h"
#include "core/io/binary_file.h"

namespace varmelo {

// Reads `count` records of `recordSize` bytes from byte `start` of f, appending decode(record,
// index) for each to out. The caller has checked that the file holds them, so a short read
// means the file shrank under us ("Read beyond end of file").
template <class Decode>
void readRecordBlocks(BinaryFile& f, uint64_t start, uint64_t count, size_t recordSize, TRecArray& out,
                      Decode&& decode) {
    constexpr size_t kBlockBytes = size_t(128) << 10;
    const uint64_t perBlock = kBlockBytes / recordSize;
    std::vector<uint8_t> block(size_t(std::min(count, perBlock) * recordSize));
    f.seek(start);
    for (uint64_t done = 0; done < count;) {
        const uint64_t n = std::min(count - done, perBlock);
        f.readExact(block.data(), size_t(n * recordSize));
        for (uint64_t k = 0; k < n; ++k) decode(block.data() + k * recordSize, done + k, out.emplace_back());
        done += n;
    }
}

}  // namespace varmelo
