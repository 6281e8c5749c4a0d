#include "core/io/entry_reader.h"

#include <algorithm>
#include <cstring>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {

// An entry that claims more bytes than its file holds (a damaged directory) is cut to what
// is there, so that no size check trusts bytes that cannot be read.
uint64_t availableLength(const BinaryFile& file, uint64_t start, uint64_t length) {
    const uint64_t fileSize = file.size();
    if (start >= fileSize) return 0;
    return std::min(length, fileSize - start);
}

}  // namespace

EntryReader::EntryReader(BinaryFile& file, uint64_t start, uint64_t length)
    : file_(&file), start_(start), length_(availableLength(file, start, length)) {}

EntryReader EntryReader::open(const std::string& path, uint64_t start, uint64_t length) {
    EntryReader r;
    r.owned_ = std::make_unique<BinaryFile>(path, BinaryFile::Mode::Read);
    r.file_ = r.owned_.get();
    r.start_ = start;
    r.length_ = availableLength(*r.file_, start, length);
    return r;
}

EntryReader::EntryReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    length_ = bytes_.size();
}

void EntryReader::seek(uint64_t pos) {
    if (pos > length_) throwReadBeyondEnd();
    pos_ = pos;
}

void EntryReader::skip(uint64_t n) {
    if (n > remaining()) throwReadBeyondEnd();
    pos_ += n;
}

void EntryReader::read(void* buf, size_t n) {
    if (n > remaining()) throwReadBeyondEnd();
    if (n == 0) return;
    if (file_) {
        // The file may still shrink while it is read; BinaryFile reports that short read.
        file_->seek(start_ + pos_);
        file_->readExact(buf, n);
    } else {
        std::memcpy(buf, bytes_.data() + pos_, n);
    }
    pos_ += n;
}

std::vector<uint8_t> EntryReader::read(size_t n) {
    if (n > remaining()) throwReadBeyondEnd();
    std::vector<uint8_t> out(n);
    read(out.data(), n);
    return out;
}

uint8_t EntryReader::u8() {
    uint8_t b;
    read(&b, 1);
    return b;
}

uint16_t EntryReader::u16le() {
    uint8_t b[2];
    read(b, 2);
    return varmelo::u16le(b);
}

uint32_t EntryReader::u32le() {
    uint8_t b[4];
    read(b, 4);
    return varmelo::u32le(b);
}

}  // namespace varmelo
