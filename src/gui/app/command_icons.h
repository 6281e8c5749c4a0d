#pragma once
// The picture of each command icon of the command table.
#include <QIcon>

#include "core/settings/command_table.h"

namespace varmelo::gui {
// A null icon for CommandIcon::None.
QIcon commandIcon(CommandIcon icon);
}  // namespace varmelo::gui
