#pragma once
#include "core/texture/image.h"

namespace varmelo {

// A picture read from an image file, with whether the file carries an alpha channel.
struct LoadedImage {
    Image image;
    bool hasAlpha = false;
};

// What a picture file's header says, read without decoding the pixels.
struct PictureInfo {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
};

}  // namespace varmelo
