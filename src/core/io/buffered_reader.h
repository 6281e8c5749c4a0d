#pragma once
// Sequential reading of a directory through a buffer over a BinaryFile, so that directory
// walks that take a field or a byte at a time cost one system call per block, not per byte.
// A refill right after a jump reads one page only: walks that hop over entry data (ZIP local
// headers, chunks) must not pull in a full buffer of data for every header they look at.
// Positions are 64-bit; every read that cannot be satisfied throws "Read beyond end of file".
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/io/binary_file.h"

namespace varmelo {

class BufferedReader {
public:
    explicit BufferedReader(BinaryFile& file, size_t bufferSize = 64 * 1024);

    // The file's length when the reader was made.
    uint64_t size() const { return size_; }
    uint64_t pos() const { return pos_; }
    // Bytes between the position and the end of the file (0 when positioned past it).
    uint64_t remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
    void seek(uint64_t pos) { pos_ = pos; }
    // Moves forward by n bytes, which must lie inside the file.
    void skip(uint64_t n);

    void read(void* out, size_t n);
    uint8_t readU8() {
        if (pos_ >= bufStart_ && pos_ - bufStart_ < bufLen_) return buf_[size_t(pos_++ - bufStart_)];
        return readU8Slow();
    }
    uint16_t readU16le();
    uint32_t readU32le();
    uint32_t readU32be();

private:
    uint8_t readU8Slow();
    void fill();

    BinaryFile& file_;
    uint64_t size_;
    uint64_t pos_ = 0;
    std::vector<uint8_t> buf_;
    uint64_t bufStart_ = 0;
    size_t bufLen_ = 0;
    size_t fillSize_ = 0;  // grows while the reads run on, back to a page after a jump
};

}  // namespace varmelo
