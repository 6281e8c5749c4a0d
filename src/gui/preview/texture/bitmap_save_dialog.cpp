#include "gui/preview/texture/bitmap_save_dialog.h"

#include "gui/app/prompts.h"

namespace varmelo::gui {

BitmapSaveDialog::BitmapSaveDialog(QObject* owner) {
    auto* filter = new FileDialogFilter(QStringLiteral("SaveDialog2"), QString::fromUtf8(kFilter), owner);
    if (!owner) ownFilter_.reset(filter);
    filter_ = filter;
}

BitmapSaveDialog::~BitmapSaveDialog() = default;

QString BitmapSaveDialog::filter() const { return filter_ ? filter_->filter() : QString::fromUtf8(kFilter); }

std::optional<QString> BitmapSaveDialog::run(Prompts& prompts, const QString& proposed) {
    auto chosen = prompts.pickSaveFile(filter(), proposed.isEmpty() ? lastName_ : proposed);
    if (chosen && !chosen->isEmpty()) lastName_ = *chosen;
    return chosen;
}

}  // namespace varmelo::gui
