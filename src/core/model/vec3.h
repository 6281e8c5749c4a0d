#include "core/math/vec.h"  // IWYU pragma: export
