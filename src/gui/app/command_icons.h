#pragma once
// Images of the commands that the toolbar shows.
namespace varmelo::gui {
class CommandTable;
void setCommandIcons(CommandTable& commands);
}  // namespace varmelo::gui
