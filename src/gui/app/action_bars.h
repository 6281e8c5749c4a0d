#pragma once
// Fills the toolbar and the program-drawn menu bar from a bar layout; the items are the
// shared actions of the menu set.
#include <string>
#include <vector>

class QMenuBar;
class QToolBar;

namespace varmelo::gui {

class MenuSet;

void fillToolBar(QToolBar* bar, const std::vector<std::string>& items, const MenuSet& menus);
void fillMenuBar(QMenuBar* bar, const std::vector<std::string>& items, const MenuSet& menus);

}  // namespace varmelo::gui
