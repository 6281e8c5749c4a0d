#include "gui/preview/texture/bitmap_save_dialog.h"

#include "gui/app/prompts.h"

namespace varmelo::gui {

std::optional<QString> BitmapSaveDialog::run(Prompts& prompts, const QString& proposed) {
    auto chosen = prompts.pickSaveFile(QString::fromUtf8(kFilter), proposed.isEmpty() ? lastName_ : proposed);
    if (chosen && !chosen->isEmpty()) lastName_ = *chosen;
    return chosen;
}

}  // namespace varmelo::gui
