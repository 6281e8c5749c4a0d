#include "gui/browser/external_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace varmelo::gui {

namespace {
ExternalOpener& currentOpener() {
    static ExternalOpener opener;
    return opener;
}
}  // namespace

void openWithAssociatedProgram(const QString& path) {
    if (currentOpener()) {
        currentOpener()(path);
        return;
    }
    // Whether a program was found is not reported: the desktop shows its own message.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void setExternalOpener(ExternalOpener opener) { currentOpener() = std::move(opener); }

}  // namespace varmelo::gui
