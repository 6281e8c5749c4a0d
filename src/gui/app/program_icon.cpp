#include "gui/app/program_icon.h"

// The icon's resources live in this static library: naming them here keeps them linked.
static void loadProgramIconResources() { Q_INIT_RESOURCE(program_icon); }

namespace varmelo::gui {

QIcon programIcon() {
    static const bool loaded = (loadProgramIconResources(), true);
    (void)loaded;
    QIcon icon;
    for (int size : {48, 256})
        icon.addFile(QStringLiteral(":/icons/varmelo-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace varmelo::gui
