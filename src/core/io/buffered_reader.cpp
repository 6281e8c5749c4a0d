#include "core/io/buffered_reader.h"

#include <algorithm>
#include <cstring>

#include "core/io/endian.h"
#include "core/io/errors.h"

namespace varmelo {

namespace {
constexpr size_t kPage = 4096;
}  // namespace

BufferedReader::BufferedReader(BinaryFile& file, size_t bufferSize) : file_(file), size_(file.size()) {
    // A small archive needs no more buffer than its own length.
    buf_.resize(size_t(std::max<uint64_t>(1, std::min<uint64_t>(bufferSize, size_))));
}

void BufferedReader::skip(uint64_t n) {
    if (n > remaining()) throwReadBeyondEnd();
    pos_ += n;
}

void BufferedReader::fill() {
    bool runsOn = bufLen_ > 0 && pos_ == bufStart_ + bufLen_;
    fillSize_ = runsOn ? std::min(buf_.size(), fillSize_ * 2) : std::min(buf_.size(), kPage);
    file_.seek(pos_);
    bufStart_ = pos_;
    bufLen_ = 0;  // stays empty if the read throws
    bufLen_ = file_.readSome(buf_.data(), fillSize_);
}

uint8_t BufferedReader::readU8Slow() {
    fill();
    if (bufLen_ == 0) throwReadBeyondEnd();
    return buf_[size_t(pos_++ - bufStart_)];
}

void BufferedReader::read(void* out, size_t n) {
    auto* dst = static_cast<uint8_t*>(out);
    while (n > 0) {
        if (pos_ >= bufStart_ && pos_ - bufStart_ < bufLen_) {
            size_t at = size_t(pos_ - bufStart_);
            size_t take = std::min(n, bufLen_ - at);
            std::memcpy(dst, buf_.data() + at, take);
            dst += take;
            pos_ += take;
            n -= take;
        } else if (n >= buf_.size()) {
            // A large field goes straight to the caller.
            file_.seek(pos_);
            size_t got = file_.readSome(dst, n);
            pos_ += got;
            if (got != n) throwReadBeyondEnd();
            return;
        } else {
            fill();
            if (bufLen_ == 0) throwReadBeyondEnd();
        }
    }
}

uint16_t BufferedReader::readU16le() {
    uint8_t b[2];
    read(b, 2);
    return u16le(b);
}

uint32_t BufferedReader::readU32le() {
    uint8_t b[4];
    read(b, 4);
    return u32le(b);
}

uint32_t BufferedReader::readU32be() {
    uint8_t b[4];
    read(b, 4);
    return u32be(b);
}

}  // namespace varmelo
