#pragma once
// Binary item placement files ("bnry") converted to the text form of the format.
//
// Layout (little-endian, offsets from the entry's first byte), 76-byte header:
//    0 "bnry"   4 i32 instance count   8..19 three section counts (unused)
//   20 i32 parked-car count   24 (unused)   28 i32 offset of the instance records
//   32..59 further offsets and sizes (unused)   60 i32 offset of the parked-car records
//   64..75 (unused)
// Instance record, 40 bytes: position x, y, z, rotation x, y, z, w (floats), model id,
//   interior, LOD index (i32).
// Parked-car record, 48 bytes: position x, y, z, angle (floats), then eight i32.
#include <string>
#include <vector>

#include "core/io/entry_reader.h"

namespace varmelo {

struct IplConversion {
    bool binary = false;             // the entry begins with "bnry"
    std::vector<std::string> lines;  // the text, without line ends
    // The failure that cut the text short ("Read beyond end of file"); the lines made before
    // it stay. Empty when the conversion is whole.
    std::string error;
};

// Converts the whole entry (read from its first byte). Not binary: no lines, no error.
// Records are read only within the entry: counts or offsets beyond it end the text there.
IplConversion ConvertBinaryIpl(EntryReader& entry, const std::string& entryName);

// Fixed notation with two decimals and "." whatever the locale, halves away from zero;
// no minus sign on a value that shows as zero.
std::string formatFloat2(float v);

// The text as saved: every line followed by CR LF, the last one too.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace varmelo
