#pragma once
// Row-map operations of the entry list. The list shows a.RowMap[0 .. a.RowCount).
#include <cstdint>

#include "core/archive/archive.h"
#include "core/browser/mask.h"
#include "core/settings/messages.h"

namespace varmelo {

// Sort columns: 0 number, 1 name (byte-wise, unsigned), 2 Offset, 3 Size (archive units).
inline constexpr int kColumnIndex = 0, kColumnName = 1, kColumnAddress = 2, kColumnSize = 3;

// -1, 0 or 1 comparing two entries by a column's key.
int compareEntries(const Archive& a, uint32_t x, uint32_t y, int column);
// Sorts the shown rows by a column with the list's quicksort (its order among equal keys
// is part of the behaviour).
void sortRows(Archive& a, int column);
namespace detail {
// sortRows with the step limit of its fast path given (-1: the usual one); for tests that
// must reach the slower path that takes over from it.
void sortRowsWithin(Archive& a, int column, int64_t stepLimit);
}  // namespace detail
// Reverses the shown rows.
void reverseRows(Archive& a);

// The list's click on a column header: sorts, or reverses when `column` is the remembered
// sort column. Returns the new remembered column. An empty archive changes nothing.
int columnClick(Archive& a, int sortColumn, int column);

// Shows only the entries that match, in table order.
void applyFilter(Archive& a, const NameMatcher& matcher);
// Shows every entry in table order.
void showAllRows(Archive& a);

// Find next: the first shown row from `startRow` on whose entry matches; -1 when none.
long findNextRow(const Archive& a, long startRow, const NameMatcher& matcher);

// The list texts of a row's entry: "№", name (raw bytes), address (8 hex digits),
// size ("%d КБ" for IMG kinds, FormatSize otherwise).
std::string addressText(const Archive& a, uint32_t e);
std::string sizeText(const Archive& a, uint32_t e, const MessageTable& messages, char decimalSeparator = '.');

}  // namespace varmelo
