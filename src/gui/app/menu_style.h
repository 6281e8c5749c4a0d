#pragma once
// The looks of the program-drawn menu bar and its menus.
#include <QString>

namespace varmelo::gui {

enum class MenuLook { Native, Xp, Plain };

// Any negative style is the native menu, 0 the XP look, any positive value the plain look.
inline MenuLook menuLookFor(int style) {
    return style < 0 ? MenuLook::Native : style == 0 ? MenuLook::Xp : MenuLook::Plain;
}

// The style sheet of the program-drawn bar and of the menus it opens; empty for Native.
QString menuStyleSheet(MenuLook look);

}  // namespace varmelo::gui
