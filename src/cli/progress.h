#pragma once
// Progress of long work on stderr, drawn only when stderr is a terminal, so that scripts
// and logs get no control characters.
#include <cstddef>
#include <string>

namespace varmelo::cli {

class Progress {
public:
    Progress(std::string label, size_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(size_t done);
    void percent(int value);
    void finish();

private:
    void draw(int value);
    std::string label_;
    size_t total_;
    bool enabled_;
    bool drawn_ = false;
    int last_ = -1;
};

}  // namespace varmelo::cli
