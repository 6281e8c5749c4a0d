#include "core/archive/readers.h"

namespace varmelo {

void ReadDirectory(Archive& a) {
    a.Entries.clear();
    a.ListedCount.reset();
    a.resetRowMap();
    try {
        switch (a.ArchiveKind) {
        case TArchiveKind::akImgV1: readImgV1Directory(a.DirPath, a.Entries); break;
        case TArchiveKind::akImgV2: readImgV2Directory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akSyb: readSybDirectory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akBig: readBigDirectory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akPk4:
            // The count first: a walk that fails part-way is still compared with it.
            a.ListedCount = readPk4ListedCount(a.ArchivePath);
            readPk4Directory(a.ArchivePath, a.Entries);
            break;
        case TArchiveKind::akBin: readBinDirectory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akPak: readPakDirectory(a.ArchivePath, a.Entries); break;
        }
    } catch (...) {
        a.resetRowMap();
        throw;
    }
    a.resetRowMap();
}

}  // namespace varmelo
