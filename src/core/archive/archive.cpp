#include "core/archive/archive.h"

#include <numeric>

#include "core/io/errors.h"
#include "core/io/file_system.h"

namespace varmelo {

const char* kindName(TArchiveKind k) {
    switch (k) {
    case TArchiveKind::akImgV1: return "img1";
    case TArchiveKind::akSyb: return "syb";
    case TArchiveKind::akImgV2: return "img2";
    case TArchiveKind::akBig: return "big";
    case TArchiveKind::akPk4: return "pk4";
    case TArchiveKind::akBin: return "bin";
    case TArchiveKind::akPak: return "pak";
    }
    return "unknown";
}

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
