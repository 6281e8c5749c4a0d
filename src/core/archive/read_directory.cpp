#include "core/archive/readers.h"

namespace varmelo {

void ReadDirectory(Archive& a) {
    a.Entries.clear();
    a.resetRowMap();
    try {
        switch (a.ArchiveKind) {
        case TArchiveKind::akImgV1: readImgV1Directory(a.DirPath, a.Entries); break;
        case TArchiveKind::akImgV2: readImgV2Directory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akSyb: readSybDirectory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akBig: readBigDirectory(a.ArchivePath, a.Entries); break;
        case TArchiveKind::akPk4: readPk4Directory(a.ArchivePath, a.Entries); break;
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
