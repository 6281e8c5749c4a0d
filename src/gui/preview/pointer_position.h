#pragma once
// Where the pointer was when a view last saw a press or a drag step. The two 3D views and
// the two picture views keep one such position between them, so a drag measures its first
// step from wherever any of them saw the pointer last.
#include <QPoint>

namespace varmelo::gui {

struct PointerPosition {
    QPoint last{0, 0};
};

}  // namespace varmelo::gui
