#pragma once
// A hook for tests that simulate a crash: when armed with n, the n-th write step
// (a write, truncate, sync or rename done through the io layer) fails with "I/O error 5"
// before it touches the disk. Production code never arms it; the check costs one branch.
#include <cstdint>

namespace varmelo::write_faults {

void failAt(int64_t n);   // 1-based; 0 disarms
// Only the n-th step fails, with "Disk full", and later steps go through: a disk that filled
// up and was freed again by the clean-up that follows.
void failOnlyAt(int64_t n);
void disarm();
int64_t stepsSeen();      // write steps counted since the last failAt/reset
void resetCount();

// Called by the io layer before each write step; throws when the armed step is reached.
void beforeWriteStep();

}  // namespace varmelo::write_faults
