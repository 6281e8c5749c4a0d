#pragma once
// The window's side of PreviewHost: the browser's archive, the status bar, the settings.
#include <functional>

#include "gui/preview/preview_host.h"

namespace varmelo::gui {

class AppSettings;
class ArchiveBrowser;

class WindowPreviewHost : public PreviewHost {
public:
    WindowPreviewHost(const ArchiveBrowser& browser, AppSettings& settings, std::function<void(const QString&)> status)
        : browser_(browser), settings_(settings), status_(std::move(status)) {}

    std::vector<std::string> entryNames() const override;
    EntryPlace entryPlace(size_t index) const override;
    uint64_t archiveSerial() const override;
    void showStatus(const QString& text) override { status_(text); }
    bool gameView() const override;
    void setGameView(bool on) override;

private:
    const ArchiveBrowser& browser_;
    AppSettings& settings_;
    std::function<void(const QString&)> status_;
};

}  // namespace varmelo::gui
