#include "gui/app/menu_style.h"

namespace varmelo::gui {

QString menuStyleSheet(MenuLook look) {
    switch (look) {
        case MenuLook::Native:
            return {};
        case MenuLook::Xp:
            // Light bar and menus; the item under the mouse sits in a pale blue box with a
            // darker blue border, as Office XP drew them.
            return QStringLiteral(
                "QToolBar { background: #f6f5f2; border: none; padding: 0px; }"
                "QMenuBar { background: #f6f5f2; border: none; }"
                "QMenuBar::item { padding: 3px 7px; background: transparent; border: 1px solid transparent; }"
                "QMenuBar::item:selected { background: #c1d2ee; border: 1px solid #316ac5; color: black; }"
                "QMenuBar::item:pressed { background: #e5e3dc; border: 1px solid #8a867a; color: black; }"
                "QMenu { background: #fcfcf9; border: 1px solid #8a867a; padding: 1px; }"
                "QMenu::item { padding: 3px 24px 3px 28px; border: 1px solid transparent; color: black; }"
                "QMenu::item:selected { background: #c1d2ee; border: 1px solid #316ac5; color: black; }"
                "QMenu::item:disabled { color: #a7a6aa; }"
                "QMenu::item:disabled:selected { background: transparent; border: 1px solid transparent; }"
                "QMenu::separator { height: 1px; background: #c5c2b8; margin: 2px 2px 2px 28px; }");
        case MenuLook::Plain:
            // Flat grey, the selected item in the system's dark blue with white text.
            return QStringLiteral(
                "QToolBar { background: #d4d0c8; border: none; padding: 0px; }"
                "QMenuBar { background: #d4d0c8; border: none; }"
                "QMenuBar::item { padding: 3px 7px; background: transparent; }"
                "QMenuBar::item:selected { background: #0a246a; color: white; }"
                "QMenu { background: #d4d0c8; border: 1px solid #808080; padding: 1px; }"
                "QMenu::item { padding: 3px 24px 3px 28px; color: black; }"
                "QMenu::item:selected { background: #0a246a; color: white; }"
                "QMenu::item:disabled { color: #808080; }"
                "QMenu::separator { height: 1px; background: #808080; margin: 2px 2px; }");
    }
    return {};
}

}  // namespace varmelo::gui
