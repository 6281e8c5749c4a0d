#pragma once
// Hands a file to the program the desktop associates with it. Tests replace the opener so
// that nothing is started.
#include <QString>
#include <functional>

namespace varmelo::gui {

using ExternalOpener = std::function<void(const QString& path)>;

void openWithAssociatedProgram(const QString& path);
// An empty opener restores the desktop's.
void setExternalOpener(ExternalOpener opener);

}  // namespace varmelo::gui
