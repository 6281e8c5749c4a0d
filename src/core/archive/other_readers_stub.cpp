// Placeholder until the readers of the other archive kinds land.
#include "core/archive/readers.h"
#include "core/io/errors.h"

namespace varmelo {
void readSybDirectory(const std::string&, TRecArray&) { throw FormatError("not yet supported"); }
void readBigDirectory(const std::string&, TRecArray&) { throw FormatError("not yet supported"); }
void readPk4Directory(const std::string&, TRecArray&) { throw FormatError("not yet supported"); }
void readBinDirectory(const std::string&, TRecArray&) { throw FormatError("not yet supported"); }
void readPakDirectory(const std::string&, TRecArray&) { throw FormatError("not yet supported"); }
}  // namespace varmelo
