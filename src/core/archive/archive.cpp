#include "core/archive/archive.h"

#include <numeric>

#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

void Archive::resetRowMap() {
    RowMap.resize(Entries.size());
    std::iota(RowMap.begin(), RowMap.end(), 0u);
    RowCount = RowMap.size();
}

uint32_t Archive::entryAtRow(size_t row) const {
    if (row >= RowCount || row >= RowMap.size() || RowMap[row] >= Entries.size())
        throw UsageError("No entry at row " + std::to_string(row));
    return RowMap[row];
}

std::string defaultDirPath(const std::string& archivePath) {
    return replaceExtension(archivePath, ".dir");
}

}  // namespace varmelo
