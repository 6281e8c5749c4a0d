#pragma once
// BinaryFile: a POSIX file descriptor with 64-bit positions and the program's error texts.
// A file is opened for one operation and closed when the object goes away.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varmelo {

class BinaryFile {
public:
    enum class Mode {
        Read,       // existing file, read only
        ReadWrite,  // existing file, read and write, not truncated
        Create,     // create or truncate, read and write
        // Create or truncate a plain file in a folder the user chose, never writing through
        // another name: a symbolic link, a folder, a device or pipe, or a file with more than
        // one name (a hard link) in its place is refused with UsageError.
        CreatePlain,
    };

    BinaryFile() = default;
    BinaryFile(const std::string& path, Mode mode);
    ~BinaryFile();
    BinaryFile(BinaryFile&& other) noexcept;
    BinaryFile& operator=(BinaryFile&& other) noexcept;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    static BinaryFile openRead(const std::string& path) { return {path, Mode::Read}; }
    static BinaryFile openReadWrite(const std::string& path) { return {path, Mode::ReadWrite}; }
    static BinaryFile create(const std::string& path) { return {path, Mode::Create}; }
    static BinaryFile createPlain(const std::string& path) { return {path, Mode::CreatePlain}; }

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    uint64_t size() const;
    uint64_t pos() const { return pos_; }
    void seek(uint64_t pos) { pos_ = pos; }

    // Reads exactly n bytes or throws "Read beyond end of file".
    void readExact(void* buf, size_t n);
    std::vector<uint8_t> readExact(size_t n);
    // Reads up to n bytes; fewer only at the end of the file.
    size_t readSome(void* buf, size_t n);
    uint32_t readU32le();
    uint32_t readU32be();

    // Writes all n bytes at the current position ("Disk full" / "I/O error %d" on failure).
    void write(const void* buf, size_t n);
    void writeU32le(uint32_t v);
    void writeZeros(uint64_t n);
    // Copies up to `length` bytes of src from srcPos to the current position, in the kernel
    // where it can (file_copy.h); fewer only where src ends first. Returns the bytes copied.
    // src may be this file itself when the two ranges do not overlap.
    uint64_t copyFrom(BinaryFile& src, uint64_t srcPos, uint64_t length);
    void truncate(uint64_t size);
    void sync();
    void close();

private:
    // All n bytes at byte `at`, without a write step of its own.
    void writeAt(const void* buf, size_t n, uint64_t at);

    int fd_ = -1;
    uint64_t pos_ = 0;
    std::string path_;
};

}  // namespace varmelo
