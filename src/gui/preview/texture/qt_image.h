#pragma once
// Decoded pictures as QImages. The core's byte order (blue, green, red, alpha per pixel) is
// the memory layout of QImage::Format_ARGB32 on this platform, so rows copy straight across.
#include <QImage>
#include <QString>

#include "core/texture/image.h"

namespace varmelo::gui {

// A deep copy; a null QImage for an empty picture. `opaque` ignores the alpha bytes.
QImage toQImage(const Image& img, bool opaque = false);

// Whether a chosen file name carries an extension of its own (the folders do not count).
bool hasExtension(const QString& path);

}  // namespace varmelo::gui
