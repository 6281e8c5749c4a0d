#include "core/io/write_faults.h"

#include <atomic>
#include <cerrno>

#include "core/io/errors.h"

namespace varmelo::write_faults {

namespace {
std::atomic<int64_t> g_failAt{0};
std::atomic<int64_t> g_seen{0};
std::atomic<bool> g_once{false};
}  // namespace

void failAt(int64_t n) {
    g_seen = 0;
    g_once = false;
    g_failAt = n;
}
void failOnlyAt(int64_t n) {
    g_seen = 0;
    g_once = true;
    g_failAt = n;
}
void disarm() { g_failAt = 0; }
int64_t stepsSeen() { return g_seen; }
void resetCount() { g_seen = 0; }

void beforeWriteStep() {
    int64_t step = ++g_seen;
    int64_t target = g_failAt.load(std::memory_order_relaxed);
    if (target == 0) return;
    if (g_once.load(std::memory_order_relaxed)) {
        if (step == target) throwErrno(ENOSPC);
    } else if (step >= target) {
        throwErrno(EIO);
    }
}

}  // namespace varmelo::write_faults
