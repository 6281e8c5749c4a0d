#include "core/io/errors.h"

#include <cerrno>

namespace varmelo {

std::string errnoText(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return kFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return kAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    case EISDIR:
        return kIsFolder;
    default:
        return "I/O error " + std::to_string(err);
    }
}

void throwErrno(int err) { throw FileError(errnoText(err)); }

void throwReadBeyondEnd() { throw FileError(kReadBeyondEnd); }

}  // namespace varmelo
