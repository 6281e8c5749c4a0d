#include "gui/app/window_preview_host.h"

#include "core/game/game_data.h"
#include "core/game/game_folder.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "gui/app/app_settings.h"
#include "gui/browser/archive_browser.h"

namespace varmelo::gui {

WindowPreviewHost::WindowPreviewHost(ArchiveBrowser& browser, AppSettings& settings,
                                     std::function<void(const QString&)> status)
    : browser_(browser), settings_(settings), status_(std::move(status)) {}

WindowPreviewHost::~WindowPreviewHost() = default;

std::vector<std::string> WindowPreviewHost::entryNames() const {
    std::vector<std::string> names;
    const Archive& a = browser_.archive();
    names.reserve(a.Entries.size());
    for (const TEntryRec& e : a.Entries) names.push_back(e.Name);
    return names;
}

PreviewHost::EntryPlace WindowPreviewHost::entryPlace(size_t index) const {
    const Archive& a = browser_.archive();
    if (index >= a.Entries.size()) throw FileError(kFileNotFound);
    return {a.ArchivePath, a.byteOffset(a.Entries[index]), a.byteSize(a.Entries[index])};
}

uint64_t WindowPreviewHost::archiveSerial() const { return browser_.archiveSerial(); }

bool WindowPreviewHost::gameView() const { return settings_.gameView(); }

void WindowPreviewHost::setGameView(bool on) { settings_.writeGameView(on); }

const GameData* WindowPreviewHost::gameData() {
    std::string folder;
    if (const auto own = gameFolderOfArchive(browser_.archive().ArchivePath)) folder = own->path;
    else folder = settings_.gameFolder();
    if (folder.empty()) return nullptr;
    if (folder != gameFolder_) {
        gameFolder_ = folder;
        game_.reset();
        try {
            game_ = std::make_unique<GameData>(readGameData(folder));
        } catch (const std::exception&) {
            // A stored folder whose game has gone since: the models are shown as without one.
        }
    }
    return game_.get();
}

const Archive* WindowPreviewHost::archive() const {
    const Archive& a = browser_.archive();
    return a.ArchivePath.empty() ? nullptr : &a;
}

bool WindowPreviewHost::archiveWritable() const {
    const Archive& a = browser_.archive();
    if (a.ArchivePath.empty() || !a.editable()) return false;
    try {
        requireWritable(a.ArchivePath);
        if (!a.DirPath.empty()) requireWritable(a.DirPath);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void WindowPreviewHost::replaceEntryData(uint32_t entry, const std::string& file) {
    browser_.replaceEntryData(entry, file);
}

}  // namespace varmelo::gui
