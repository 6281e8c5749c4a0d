#pragma once
// A clump as Wavefront OBJ text: one "o" group per row, in row order, named by the row's
// caption, holding the triangles the row draws, placed as the model view places them.
#include <string>

#include "core/model/dff_reader.h"

namespace varmelo {

std::string dffToObj(const DffClump& clump);

}  // namespace varmelo
