#include "gui/preview/texture/qt_image.h"

#include <QFileInfo>
#include <cstring>

namespace varmelo::gui {

QImage toQImage(const Image& img, bool opaque) {
    if (img.empty() || img.bgra.size() < size_t(img.width) * size_t(img.height) * 4) return {};
    QImage out(img.width, img.height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    if (out.isNull()) return {};
    const size_t row = size_t(img.width) * 4;
    for (int y = 0; y < img.height; ++y) std::memcpy(out.scanLine(y), img.bgra.data() + row * size_t(y), row);
    if (opaque) {
        // RGB32 wants 0xFF in the unused byte
        for (int y = 0; y < img.height; ++y) {
            auto* p = reinterpret_cast<uint32_t*>(out.scanLine(y));
            for (int x = 0; x < img.width; ++x) p[x] |= 0xFF000000u;
        }
    }
    return out;
}

bool hasExtension(const QString& path) { return QFileInfo(path).fileName().contains(QLatin1Char('.')); }

}  // namespace varmelo::gui
