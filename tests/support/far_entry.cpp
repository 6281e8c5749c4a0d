#include "support/far_entry.h"

#include <algorithm>

#include "support/archive_checks.h"
#include "support/temp_dir.h"

namespace testing_support {

void writeFarEntryArchive(const std::string& img, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> head(2048, 0);
    std::copy_n("VER2\x01\0\0\0", 8, head.begin());
    const std::vector<uint8_t> rec = expectedRecord(kFarSector, 1, "far.bin");
    std::copy(rec.begin(), rec.end(), head.begin() + 8);
    writeFile(img, head);
    writeAt(img, uint64_t(kFarSector) * 2048, data);
}

}  // namespace testing_support
