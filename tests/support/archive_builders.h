#pragma once
// Builders of the read-only archive kinds, for tests:
//   SybBuilder().add("a", bytes).write(path);
// Each places the entries' data after its directory, in the order added, and can be told to
// write a wrong field where a test needs a damaged archive.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/archive/entry.h"
#include "support/temp_dir.h"

namespace testing_support {

// "VXBG", directory length D, records (name, zero, u32 size), data back to back.
class SybBuilder {
public:
    SybBuilder& add(const std::string& name, Bytes data);
    SybBuilder& statedDirLength(uint32_t d);  // D as written, instead of the real length
    Bytes build() const;
    void write(const std::string& path) const;

private:
    std::vector<std::pair<std::string, Bytes>> items_;
    std::optional<uint32_t> dirLength_;
};

// "BIGF", 8 spare bytes, H (BE) with the directory ending at H - 8, records (BE offset,
// BE size, name, zero) from byte 16, data after the directory.
class BigBuilder {
public:
    BigBuilder& add(const std::string& name, Bytes data);
    BigBuilder& statedH(uint32_t h);
    Bytes build() const;
    void write(const std::string& path) const;
    // Byte position of entry i's data in what build() returns.
    uint32_t dataOffset(size_t i) const;

private:
    uint32_t dirEnd() const;
    std::vector<std::pair<std::string, Bytes>> items_;
    std::optional<uint32_t> h_;
};

// ZIP with stored entries, a real central directory and End Of Central Directory record.
class ZipBuilder {
public:
    struct Options {
        bool dataDescriptor = false;   // flag bit 3: zero sizes locally, descriptor after the data
        bool signedDescriptor = true;  // descriptor starts with 50 4B 07 08
        bool utf8Name = false;         // flag bit 11
        Bytes extra;                   // local extra field
    };
    ZipBuilder& add(const std::string& name, Bytes data);
    ZipBuilder& add(const std::string& name, Bytes data, const Options& options);
    ZipBuilder& comment(const std::string& text);
    Bytes build() const;
    void write(const std::string& path) const;
    uint32_t dataOffset(size_t i) const;
    // Where the central directory and the end record start in what build() returns.
    uint32_t centralDirectoryOffset() const;
    uint32_t endRecordOffset() const;

private:
    struct Item {
        std::string name;
        Bytes data;
        Options options;
    };
    Bytes localPart(std::vector<uint32_t>& headerOffsets) const;
    std::vector<Item> items_;
    std::string comment_;
};

// "DBLD", 8 spare bytes, then chunks (u32 L, 4-byte tag, L - 4 bytes of payload).
class BinBuilder {
public:
    BinBuilder();
    // An entry chunk (" TEX" or " NAV"; a leading blank is written as a zero byte).
    BinBuilder& entry(const std::string& tag, const std::string& name, Bytes data);
    // Any chunk, written as given; length overrides L.
    BinBuilder& chunk(const Bytes& tag, const Bytes& payload, std::optional<uint32_t> length = {});
    BinBuilder& end();
    Bytes build() const { return bytes_; }
    void write(const std::string& path) const;
    // Byte position of the data of the n-th entry chunk.
    uint32_t dataOffset(size_t n) const { return dataOffsets_.at(n); }

private:
    Bytes bytes_;
    std::vector<uint32_t> dataOffsets_;
};

// N, a zero word, N records of 156 bytes (128-byte name, size at 132, offset at 136), data.
class PakBuilder {
public:
    PakBuilder& add(const std::string& name, Bytes data);
    PakBuilder& statedCount(uint32_t n);
    Bytes build() const;
    void write(const std::string& path) const;
    uint32_t dataOffset(size_t i) const;

private:
    std::vector<std::pair<std::string, Bytes>> items_;
    std::optional<uint32_t> count_;
};

// What a directory reader left behind: the entries, and the error it ended with, if any.
struct ReadOutcome {
    varmelo::TRecArray entries;
    std::string error;         // what() of the exception; empty when the read succeeded
    bool formatError = false;  // the exception was a FormatError rather than a FileError
};
using DirectoryReader = void (*)(const std::string&, varmelo::TRecArray&);
// Runs the reader; FileError and FormatError are caught, anything else escapes.
ReadOutcome readDirectoryOf(DirectoryReader reader, const std::string& path);

}  // namespace testing_support
