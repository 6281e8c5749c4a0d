#pragma once
// The window's side of PreviewHost: the browser's archive, the status bar, the settings, and
// the game data, read once per game folder (reading a game takes a while).
#include <functional>
#include <memory>
#include <string>

#include "gui/preview/preview_host.h"

namespace varmelo::gui {

class AppSettings;
class ArchiveBrowser;

class WindowPreviewHost : public PreviewHost {
public:
    WindowPreviewHost(ArchiveBrowser& browser, AppSettings& settings, std::function<void(const QString&)> status);
    ~WindowPreviewHost() override;

    std::vector<std::string> entryNames() const override;
    EntryPlace entryPlace(size_t index) const override;
    uint64_t archiveSerial() const override;
    void showStatus(const QString& text) override { status_(text); }
    bool gameView() const override;
    void setGameView(bool on) override;
    const GameData* gameData() override;
    const Archive* archive() const override;
    std::optional<uint32_t> shownEntry() const override { return shown_; }
    bool archiveWritable() const override;
    void replaceEntryData(uint32_t entry, const std::string& file) override;

    // The window's dispatch says which entry it hands the panel.
    void setShownEntry(uint32_t entry) { shown_ = entry; }

private:
    ArchiveBrowser& browser_;
    std::optional<uint32_t> shown_;
    AppSettings& settings_;
    std::function<void(const QString&)> status_;
    // The folder last read and what it gave; null when it could not be read.
    std::string gameFolder_;
    std::unique_ptr<GameData> game_;
};

}  // namespace varmelo::gui
