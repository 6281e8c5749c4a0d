#pragma once
// The program's icon, a stack of three archive discs, at the sizes built into the program.
#include <QIcon>

namespace varmelo::gui {

QIcon programIcon();

}  // namespace varmelo::gui
