#include "support/archive_builders.h"

#include <algorithm>
#include <cstring>

#include "core/io/errors.h"

namespace testing_support {

namespace {

void append(Bytes& b, const void* p, size_t n) {
    // Resized, then copied: an insert into a just-made small vector makes GCC 12 at -O3 warn
    // of writes out of bounds (-Wstringop-overflow) that cannot happen.
    const size_t at = b.size();
    b.resize(at + n);
    if (n != 0) std::memcpy(b.data() + at, p, n);
}
void append(Bytes& b, const std::string& s) { append(b, s.data(), s.size()); }
void append(Bytes& b, const Bytes& s) { b.insert(b.end(), s.begin(), s.end()); }
void le16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void le32(Bytes& b, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(uint8_t(v >> (8 * k)));
}
void be32(Bytes& b, uint32_t v) {
    for (int k = 3; k >= 0; --k) b.push_back(uint8_t(v >> (8 * k)));
}
void put32le(Bytes& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = uint8_t(v >> (8 * k));
}

// The CRC-32 that ZIP stores (reflected polynomial 0xEDB88320).
uint32_t crc32(const Bytes& data) {
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t byte : data) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

}  // namespace

// --- .syb

SybBuilder& SybBuilder::add(const std::string& name, Bytes data) {
    items_.emplace_back(name, std::move(data));
    return *this;
}

SybBuilder& SybBuilder::statedDirLength(uint32_t d) {
    dirLength_ = d;
    return *this;
}

Bytes SybBuilder::build() const {
    Bytes dir;
    for (const auto& [name, data] : items_) {
        append(dir, name);
        dir.push_back(0);
        le32(dir, uint32_t(data.size()));
    }
    Bytes out = {'V', 'X', 'B', 'G'};
    le32(out, dirLength_.value_or(uint32_t(dir.size())));
    append(out, dir);
    for (const auto& item : items_) append(out, item.second);
    return out;
}

void SybBuilder::write(const std::string& path) const { writeFile(path, build()); }

// --- .big

BigBuilder& BigBuilder::add(const std::string& name, Bytes data) {
    items_.emplace_back(name, std::move(data));
    return *this;
}

BigBuilder& BigBuilder::statedH(uint32_t h) {
    h_ = h;
    return *this;
}

uint32_t BigBuilder::dirEnd() const {
    size_t end = 16;
    for (const auto& item : items_) end += 8 + item.first.size() + 1;
    return uint32_t(end);
}

uint32_t BigBuilder::dataOffset(size_t i) const {
    uint32_t at = dirEnd();
    for (size_t k = 0; k < i; ++k) at += uint32_t(items_[k].second.size());
    return at;
}

Bytes BigBuilder::build() const {
    Bytes out = {'B', 'I', 'G', 'F', 0, 0, 0, 0, 0, 0, 0, 0};
    be32(out, h_.value_or(dirEnd() + 8));
    for (size_t i = 0; i < items_.size(); ++i) {
        be32(out, dataOffset(i));
        be32(out, uint32_t(items_[i].second.size()));
        append(out, items_[i].first);
        out.push_back(0);
    }
    for (const auto& item : items_) append(out, item.second);
    return out;
}

void BigBuilder::write(const std::string& path) const { writeFile(path, build()); }

// --- .pk4 (ZIP)

ZipBuilder& ZipBuilder::add(const std::string& name, Bytes data) { return add(name, std::move(data), Options{}); }

ZipBuilder& ZipBuilder::add(const std::string& name, Bytes data, const Options& options) {
    items_.push_back({name, std::move(data), options});
    return *this;
}

ZipBuilder& ZipBuilder::comment(const std::string& text) {
    comment_ = text;
    return *this;
}

Bytes ZipBuilder::localPart(std::vector<uint32_t>& headerOffsets) const {
    Bytes out;
    headerOffsets.clear();
    for (const Item& it : items_) {
        headerOffsets.push_back(uint32_t(out.size()));
        uint16_t flags = uint16_t((it.options.dataDescriptor ? 1u << 3 : 0u) | (it.options.utf8Name ? 1u << 11 : 0u));
        uint32_t crc = crc32(it.data);
        uint32_t size = uint32_t(it.data.size());
        bool deferred = it.options.dataDescriptor;
        append(out, "PK\x03\x04", 4);
        le16(out, 10);     // version needed
        le16(out, flags);
        le16(out, 0);      // stored
        le16(out, 0);      // time
        le16(out, 0x21);   // date
        le32(out, deferred ? 0 : crc);
        le32(out, deferred ? 0 : size);
        le32(out, deferred ? 0 : size);
        le16(out, uint32_t(it.name.size()));
        le16(out, uint32_t(it.options.extra.size()));
        append(out, it.name);
        append(out, it.options.extra);
        append(out, it.data);
        if (deferred) {
            if (it.options.signedDescriptor) append(out, "PK\x07\x08", 4);
            le32(out, crc);
            le32(out, size);
            le32(out, size);
        }
    }
    return out;
}

uint32_t ZipBuilder::dataOffset(size_t i) const {
    std::vector<uint32_t> offsets;
    localPart(offsets);
    return offsets.at(i) + 30 + uint32_t(items_[i].name.size() + items_[i].options.extra.size());
}

uint32_t ZipBuilder::centralDirectoryOffset() const {
    std::vector<uint32_t> offsets;
    return uint32_t(localPart(offsets).size());
}

uint32_t ZipBuilder::endRecordOffset() const { return uint32_t(build().size() - 22 - comment_.size()); }

Bytes ZipBuilder::build() const {
    std::vector<uint32_t> offsets;
    Bytes out = localPart(offsets);
    size_t dirStart = out.size();
    for (size_t i = 0; i < items_.size(); ++i) {
        const Item& it = items_[i];
        uint16_t flags = uint16_t((it.options.dataDescriptor ? 1u << 3 : 0u) | (it.options.utf8Name ? 1u << 11 : 0u));
        append(out, "PK\x01\x02", 4);
        le16(out, 20);  // made by
        le16(out, 10);  // needed
        le16(out, flags);
        le16(out, 0);
        le16(out, 0);
        le16(out, 0x21);
        le32(out, crc32(it.data));
        le32(out, uint32_t(it.data.size()));
        le32(out, uint32_t(it.data.size()));
        le16(out, uint32_t(it.name.size()));
        le16(out, 0);  // extra
        le16(out, 0);  // comment
        le16(out, 0);  // disk
        le16(out, 0);  // internal attributes
        le32(out, 0);  // external attributes
        le32(out, offsets[i]);
        append(out, it.name);
    }
    size_t dirSize = out.size() - dirStart;
    append(out, "PK\x05\x06", 4);
    le16(out, 0);
    le16(out, 0);
    le16(out, uint32_t(items_.size()));
    le16(out, uint32_t(items_.size()));
    le32(out, uint32_t(dirSize));
    le32(out, uint32_t(dirStart));
    le16(out, uint32_t(comment_.size()));
    append(out, comment_);
    return out;
}

void ZipBuilder::write(const std::string& path) const { writeFile(path, build()); }

// --- .bin

BinBuilder::BinBuilder() : bytes_{'D', 'B', 'L', 'D', 0, 0, 0, 0, 0, 0, 0, 0} {}

BinBuilder& BinBuilder::entry(const std::string& tag, const std::string& name, Bytes data) {
    Bytes payload;
    le32(payload, uint32_t(name.size()));
    Bytes groups(name.begin(), name.end());
    groups.resize((name.size() + 3) / 4 * 4, 0);
    append(payload, groups);
    Bytes info(40, 0xEE);
    put32le(info, 0, uint32_t(data.size()));
    append(payload, info);
    dataOffsets_.push_back(uint32_t(bytes_.size() + 8 + payload.size()));
    append(payload, data);
    Bytes t(tag.begin(), tag.end());
    if (!t.empty() && t[0] == ' ') t[0] = 0;
    return chunk(t, payload);
}

BinBuilder& BinBuilder::chunk(const Bytes& tag, const Bytes& payload, std::optional<uint32_t> length) {
    le32(bytes_, length.value_or(uint32_t(4 + payload.size())));
    append(bytes_, tag);
    append(bytes_, payload);
    return *this;
}

BinBuilder& BinBuilder::end() { return chunk({0, 'E', 'N', 'D'}, {}); }

void BinBuilder::write(const std::string& path) const { writeFile(path, bytes_); }

// --- .pak

PakBuilder& PakBuilder::add(const std::string& name, Bytes data) {
    items_.emplace_back(name, std::move(data));
    return *this;
}

PakBuilder& PakBuilder::statedCount(uint32_t n) {
    count_ = n;
    return *this;
}

uint32_t PakBuilder::dataOffset(size_t i) const {
    uint32_t at = uint32_t(8 + 156 * items_.size());
    for (size_t k = 0; k < i; ++k) at += uint32_t(items_[k].second.size());
    return at;
}

Bytes PakBuilder::build() const {
    Bytes out;
    le32(out, count_.value_or(uint32_t(items_.size())));
    le32(out, 0);
    for (size_t i = 0; i < items_.size(); ++i) {
        Bytes rec(156, 0);
        std::memcpy(rec.data(), items_[i].first.data(), std::min<size_t>(items_[i].first.size(), 128));
        put32le(rec, 128, 0xAAAAAAAAu);
        put32le(rec, 132, uint32_t(items_[i].second.size()));
        put32le(rec, 136, dataOffset(i));
        std::fill(rec.begin() + 140, rec.end(), uint8_t(0xBB));
        append(out, rec);
    }
    for (const auto& item : items_) append(out, item.second);
    return out;
}

void PakBuilder::write(const std::string& path) const { writeFile(path, build()); }

ReadOutcome readDirectoryOf(DirectoryReader reader, const std::string& path) {
    ReadOutcome r;
    try {
        reader(path, r.entries);
    } catch (const varmelo::FormatError& e) {
        r.error = e.what();
        r.formatError = true;
    } catch (const varmelo::FileError& e) {
        r.error = e.what();
    }
    return r;
}

}  // namespace testing_support
