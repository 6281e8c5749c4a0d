#pragma once
// What a preview page may ask of the window around it, beyond the entry it shows: the other
// entries of the open archive (a model finds its texture dictionary among them), the status
// bar, the model view's game look, which the window keeps in its settings, and the game it
// shows models from.
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/io/errors.h"

namespace varmelo {
struct Archive;
struct GameData;
}  // namespace varmelo

namespace varmelo::gui {

class PreviewHost {
public:
    // Where an entry's bytes lie.
    struct EntryPlace {
        std::string archivePath;
        uint64_t offset = 0;  // bytes
        uint64_t size = 0;    // bytes
    };

    virtual ~PreviewHost() = default;

    // The open archive's entry names (raw bytes), in entry order; empty with none open.
    virtual std::vector<std::string> entryNames() const = 0;
    // Entry `index` of that list; throws FileError when it is gone.
    virtual EntryPlace entryPlace(size_t index) const = 0;
    // Changes whenever another archive is opened (the same file opened again included): what
    // a page remembers about the open archive holds while this stays the same.
    virtual uint64_t archiveSerial() const = 0;

    virtual void showStatus(const QString& text) = 0;

    virtual bool gameView() const = 0;
    virtual void setGameView(bool on) = 0;

    // The game the open archive belongs to, else the game folder the user picked; null when
    // there is neither. Valid until the next call.
    virtual const GameData* gameData() { return nullptr; }
    // The open archive, where the game looks for a model's dictionaries first; null with none.
    virtual const Archive* archive() const { return nullptr; }

    // The entry the panel was last handed to show; none before the first.
    virtual std::optional<uint32_t> shownEntry() const { return std::nullopt; }
    // Whether the open archive may be changed: a kind this program writes, in files it may
    // write.
    virtual bool archiveWritable() const { return false; }
    // Writes the bytes of `file` as entry `entry`'s new data, as the replace command does, and
    // shows the list as it now is (which shows the selected entry again). Throws when it
    // cannot; the list then shows the archive as it is.
    virtual void replaceEntryData(uint32_t /*entry*/, const std::string& /*file*/) {
        throw UsageError("no archive is open for writing");
    }
};

}  // namespace varmelo::gui
