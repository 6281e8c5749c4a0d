#pragma once
// A fresh folder per test, removed with everything in it afterwards.
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

using Bytes = std::vector<uint8_t>;

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& data);
void writeFile(const std::string& path, const std::string& data);
// Deterministic filler: byte i of the pattern with seed s.
Bytes pattern(size_t n, uint32_t seed);
Bytes slice(const Bytes& b, uint64_t start, uint64_t length);

}  // namespace testing_support
