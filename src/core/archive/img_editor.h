#pragma once
// Editing an open IMG archive in place: add, remove, rename, replace. Every operation writes
// the archive files before it returns and keeps Entries, RowMap and RowCount in step.
// Every write step leaves a loadable archive in which no surviving entry has lost data.
// Non-IMG kinds, and archives that may not be written, fail with UsageError /
// "File access denied" before anything changes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/archive/archive.h"

namespace varmelo {

// Appends a disk file as a new last entry named after the file (without its folder),
// with a new last row. Returns the new entry index.
uint32_t AddFileToArchive(Archive& a, const std::string& sourcePath);

// Removes entry e from the table and the directory; its row goes too (or, when no shown row
// holds it, the last unused row-map element). Returns the row that showed it, or -1.
long RemoveEntryAt(Archive& a, uint32_t e);

// Writes a new name (raw Windows-1251 bytes; the directory keeps the first 24).
void RenameEntry(Archive& a, uint32_t e, const std::string& newName);

// Replaces entry e's data by a file: in place when it fits the entry's sectors, otherwise
// remove + add (the entry becomes the last one). Returns the entry's index afterwards.
uint32_t ReplaceEntry(Archive& a, uint32_t e, const std::string& sourcePath);
// The same keeping the entry's own name: the new data of an entry made elsewhere (a temporary
// file), with the same crash-safe steps.
uint32_t ReplaceEntryData(Archive& a, uint32_t e, const std::string& sourcePath);

// The add command: for each file, in order, looks for the first entry whose name equals the
// file's name (ASCII upper-cased, whole), and asks `decide` what to do when there is one.
enum class ExistingDecision { Replace, AddAnother, Stop };
using ExistingNameDecider = std::function<ExistingDecision(uint32_t existingEntry)>;
// Returns the indices of the entries added. Stop ends the command before that file.
std::vector<uint32_t> AddFiles(Archive& a, const std::vector<std::string>& sourcePaths,
                               const ExistingNameDecider& decide,
                               const std::function<void(size_t done, size_t total)>& progress = {});

// The first entry whose name equals `name` compared as the add command compares names.
long findEntryByName(const Archive& a, const std::string& name);

}  // namespace varmelo
