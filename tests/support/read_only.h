#pragma once
// Makes a file unwritable for the rest of a scope, also when the tests run as root:
// chmod 0444, plus the immutable attribute where the process may set it (root on ext4),
// since root ignores permission bits. effective() says whether writing is really refused.
#include <string>

namespace testing_support {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(std::string path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool effective() const;

private:
    std::string path_;
    bool immutable_ = false;
};

}  // namespace testing_support
