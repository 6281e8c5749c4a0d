#pragma once
#include "core/texture/image.h"

namespace varmelo {

// A picture read from an image file, with whether the file carries an alpha channel.
struct LoadedImage {
    Image image;
    bool hasAlpha = false;
};

}  // namespace varmelo
