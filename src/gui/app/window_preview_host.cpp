#include "gui/app/window_preview_host.h"

#include "core/io/errors.h"
#include "gui/app/app_settings.h"
#include "gui/browser/archive_browser.h"

namespace varmelo::gui {

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

}  // namespace varmelo::gui
