#pragma once
// One reader per archive kind. Each appends the entries it reads, in directory order, to an
// empty table; on a failure it throws and the entries read before it stay in the table.
#include <cstdint>
#include <optional>
#include <string>

#include "core/archive/archive.h"

namespace varmelo {

void readImgV1Directory(const std::string& dirPath, TRecArray& out);
void readImgV2Directory(const std::string& archivePath, TRecArray& out);
void readSybDirectory(const std::string& path, TRecArray& out);
void readBigDirectory(const std::string& path, TRecArray& out);
void readPk4Directory(const std::string& path, TRecArray& out);
void readBinDirectory(const std::string& path, TRecArray& out);
void readPakDirectory(const std::string& path, TRecArray& out);
// The entry count of a ZIP's central directory, which the local-header walk can be checked
// against; nullopt when the file has no end record.
std::optional<uint64_t> readPk4ListedCount(const std::string& path);

// Runs the reader of a.ArchiveKind on a.ArchivePath / a.DirPath, replacing a.Entries.
// The row map is the identity over whatever was read, also when the reader fails.
void ReadDirectory(Archive& a);

}  // namespace varmelo
