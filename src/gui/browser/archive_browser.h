#pragma once
// The browser side of the main window: the current archive, the entry list List1, the load
// procedure and every command that works on the list (open, recent, new, extract, open in
// another program, add, replace, delete, rename, rebuild, find, find next, find all, filter).
// The window owns the actions and connects them to these slots; the browser finds the
// context menu's actions by their names in the command table.
#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "core/archive/archive.h"
#include "core/settings/command_table.h"
#include "core/settings/messages.h"

class QWidget;

namespace varmelo::gui {

class Prompts;

// What the browser needs from its window.
struct BrowserHost {
    QWidget* window = nullptr;                               // owner of dialogs, finds actions
    std::function<void(const QString&)> showStatus;          // status-bar panel 0
    std::function<void(const std::string&)> noteRecentFile;  // the recent-files list
    std::function<void()> showDefaultPage;                   // preview page 0
    // Runs the preview of an entry (the window's dispatch); called only while the panel shows.
    std::function<void(uint32_t entry)> preview;
    std::function<bool()> previewVisible;
    // What the commands that work on the list depend on, after every change of it.
    std::function<void(const BrowserFacts&)> commandFacts;
    // The check mark of the filter command: whether the list shows a filtered view.
    std::function<void(bool)> filterChecked;
    // Asked before the entry shown may stop being shown or change under the preview (another
    // archive, a rebuild, the list's edits): false keeps the user where they are.
    std::function<bool()> mayLeaveEntry;
};

// How a load was started; decides whether the sort state is reset afterwards.
enum class LoadOrigin { CommandLine, Drop, OpenDialog, Recent, Rebuild, NewArchive };

class ArchiveBrowser : public QObject {
    Q_OBJECT
public:
    ArchiveBrowser(BrowserHost host, Prompts& prompts, MessageTable& messages, QObject* parent = nullptr);
    ~ArchiveBrowser() override;

    QWidget* listWidget() const;  // List1, to be placed by the window
    const Archive& archive() const;
    // Raised by every load that replaces the archive, the same file loaded again included.
    uint64_t archiveSerial() const;
    int sortColumn() const;

    // The load procedure with one of its ways in.
    void load(const QString& path, LoadOrigin origin);
    // Sets the flag that stops a running list fill (the window is closing).
    void setClosing();
    // Re-reads texts from the message table (column captions) after a language change.
    void retranslate();

    // Entry e takes the bytes of `file` as its new data, and the list follows as after the
    // replace command. Throws when the archive refuses; the list then shows it as it is.
    void replaceEntryData(uint32_t e, const std::string& file);
    // The add command's work for files already chosen.
    void addFiles(const QStringList& files);
    // Makes entry e's row the selection, when a row shows it.
    void selectEntry(uint32_t e);

public slots:
    void openArchive();                        // FileOpen1
    void openRecent(const QString& path);      // MRUFile1..5
    void newArchive();                         // FileNew1
    void extract();                            // EditExtract1
    void openExternal();                       // EditOpen1
    void add();                                // EditAdd1
    void replace();                            // EditReplace1
    void remove();                             // EditRemove1
    void rename();                             // EditRename1
    void rebuild();                            // ServiceRebuild1
    void find();                               // SearchFind1
    void findNext();                           // SearchFindNext1
    void findAll();                            // SearchFindAll1
    void toggleFilter(bool on);                // the filter command, with its new check state
    void listClick();                          // List1Click

private:
    struct Impl;
    Impl* d;
};

}  // namespace varmelo::gui
