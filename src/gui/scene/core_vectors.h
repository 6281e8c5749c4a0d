#pragma once
// Between the core's plain vectors and Qt's, for the pages and the scene that hand the core's
// geometry and camera maths to the views.
#include <QVector3D>

#include "core/math/vec.h"

namespace varmelo::gui {

inline Vec3 toVec3(const QVector3D& v) { return {v.x(), v.y(), v.z()}; }
inline QVector3D toQt(const Vec3& v) { return {v.x, v.y, v.z}; }

}  // namespace varmelo::gui
