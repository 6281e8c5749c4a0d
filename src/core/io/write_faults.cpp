#include "core/io/write_faults.h"

#include <atomic>
#include <cerrno>

#include "core/io/errors.h"

namespace varmelo::write_faults {

namespace {
std::atomic<int64_t> g_failAt{0};
std::atomic<int64_t> g_seen{0};
}  // namespace

void failAt(int64_t n) {
    g_seen = 0;
    g_failAt = n;
}
void disarm() { g_failAt = 0; }
int64_t stepsSeen() { return g_seen; }
void resetCount() { g_seen = 0; }

void beforeWriteStep() {
    int64_t step = ++g_seen;
    int64_t target = g_failAt.load(std::memory_order_relaxed);
    if (target != 0 && step >= target) throwErrno(EIO);
}

}  // namespace varmelo::write_faults
