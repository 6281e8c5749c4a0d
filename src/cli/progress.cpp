#include "cli/progress.h"

#include <unistd.h>

#include <cstdio>

namespace varmelo::cli {

Progress::Progress(std::string label, size_t total)
    : label_(std::move(label)), total_(total), enabled_(::isatty(STDERR_FILENO) == 1) {}

Progress::~Progress() { finish(); }

void Progress::update(size_t done) {
    if (total_ == 0) return;
    percent(int(done * 100 / total_));
}

void Progress::percent(int value) {
    if (!enabled_ || value == last_) return;
    draw(value);
}

void Progress::draw(int value) {
    last_ = value;
    drawn_ = true;
    std::fprintf(stderr, "\r%s: %3d%%", label_.c_str(), value);
    std::fflush(stderr);
}

void Progress::finish() {
    if (drawn_) {
        std::fputs("\n", stderr);
        std::fflush(stderr);
        drawn_ = false;
    }
}

}  // namespace varmelo::cli
