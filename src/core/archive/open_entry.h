#pragma once
// A reader over one entry of an open archive, under the unit rule of the archive's kind.
#include "core/archive/archive.h"
#include "core/io/entry_reader.h"

namespace varmelo {

EntryReader openEntryReader(const Archive& a, const TEntryRec& e);

}  // namespace varmelo
