#pragma once
// EntryReader: reading limited to one entry's bytes. Positions count from the entry's first
// byte; reading or seeking past its last byte throws "Read beyond end of file", so a parser of
// entry content can never wander into the entries that follow it in the archive.
// It reads either from an archive file (a byte range of it) or from bytes held in memory
// (loose files, tests).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/io/binary_file.h"

namespace varmelo {

class EntryReader {
public:
    // Over bytes [start, start + length) of an open file, cut to the bytes the file holds;
    // the file must outlive the reader.
    EntryReader(BinaryFile& file, uint64_t start, uint64_t length);
    // Opens the file itself (read only) and keeps it open for the reader's lifetime.
    static EntryReader open(const std::string& path, uint64_t start, uint64_t length);
    // Over bytes held by the reader.
    explicit EntryReader(std::vector<uint8_t> bytes);

    EntryReader(EntryReader&&) noexcept = default;
    EntryReader& operator=(EntryReader&&) noexcept = default;

    // The entry's bytes that can be read.
    uint64_t size() const { return length_; }
    uint64_t pos() const { return pos_; }
    uint64_t remaining() const { return length_ - pos_; }
    // Byte position of the entry's first byte in its file (0 for bytes in memory).
    uint64_t origin() const { return start_; }

    void seek(uint64_t pos);
    void skip(uint64_t n);
    void read(void* buf, size_t n);
    std::vector<uint8_t> read(size_t n);
    uint8_t u8();
    uint16_t u16le();
    uint32_t u32le();

private:
    EntryReader() = default;
    std::unique_ptr<BinaryFile> owned_;
    BinaryFile* file_ = nullptr;
    std::vector<uint8_t> bytes_;
    uint64_t start_ = 0;
    uint64_t length_ = 0;
    uint64_t pos_ = 0;
};

}  // namespace varmelo
