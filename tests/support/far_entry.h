#pragma once
// An archive whose one entry lies past 4 GiB, for the readers and writers that must count
// positions in 64 bits. The file is sparse: it takes a few kilobytes of disk.
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

inline constexpr uint32_t kFarSector = 2'200'000;  // byte 4 505 600 000

// A VER2 archive at `img` whose one entry, "far.bin", is one sector at kFarSector holding
// `data` (2048 bytes).
void writeFarEntryArchive(const std::string& img, const std::vector<uint8_t>& data);

}  // namespace testing_support
