#pragma once
// The private state of ArchiveBrowser, shared by the files that implement its commands
// (loading, searching, extracting, editing).
#include <QItemSelection>
#include <QPointer>
#include <QString>
#include <exception>
#include <vector>

#include "core/archive/archive.h"
#include "core/settings/messages.h"
#include "core/settings/text_format.h"
#include "gui/app/file_dialog_filter.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/entry_list_model.h"
#include "gui/browser/entry_list_view.h"
#include "gui/browser/find_dialog.h"
#include "gui/browser/rename_dialog.h"

namespace varmelo::gui {

class Prompts;

struct ArchiveBrowser::Impl {
    Impl(ArchiveBrowser* owner, BrowserHost h, Prompts& p, MessageTable& m);

    ArchiveBrowser* q;
    BrowserHost host;
    Prompts& prompts;
    MessageTable& messages;

    Archive archive;
    uint64_t archiveSerial = 0;  // raised by every load that replaces the archive
    int sortColumn = 0;  // column 0 until an open resets it, although no caption is marked
    bool closing = false;
    bool filterOn = false;
    // Set while a command changes the selection itself; it runs the list click once at the end.
    bool quietSelection = false;
    bool popupBuilt = false;
    // True from a selection change that ran the list click until the event loop next turns,
    // so the press that caused it does not run the click a second time.
    bool clickRanBySelection = false;

    EntryListModel* model = nullptr;
    QPointer<EntryListView> view;
    QPointer<FindDialog> find1;  // find next / find all
    QPointer<FindDialog> find2;  // filter
    QPointer<RenameDialog> renameDialog;
    // The filters of the browser's file dialogs, by the names a language file gives them.
    FileDialogFilter* openDialog1 = nullptr;  // open an archive
    FileDialogFilter* openDialog2 = nullptr;  // the directory file of a two-file archive
    FileDialogFilter* openDialog3 = nullptr;  // files to add, or a replacement
    FileDialogFilter* saveDialog1 = nullptr;  // one extracted entry (filled from message 6)
    FileDialogFilter* saveDialog4 = nullptr;  // a new archive

    BrowserFacts facts;
    // Tells the window what its commands now depend on.
    void publishFacts() const;
    void showFilterChecked(bool on) const;

    QString msg(int n) const;
    QString msg(int n, const std::vector<FormatArg>& args) const;
    void status(const QString& text) const;
    // Shows the text and lets the status bar paint it before a long step runs.
    void statusNow(const QString& text) const;
    void showError(const std::exception& e) const;
    // Shows the error a command caught and kept for after its clean-up; none is nothing.
    void showFailure(const std::exception_ptr& failure) const;
    void showDefaultPage() const;

    // Loading.
    // Paths stay file-system bytes from here on: a name that is not valid UTF-8 must survive.
    void load(const std::string& chosenPath, LoadOrigin origin);
    void runLoad(const std::string& chosenPath);
    void resetCommands(TArchiveKind kind);
    void reportFillProgress();
    void resetSortState();
    // The core has reloaded the archive itself (after a failed rebuild).
    void adoptReloadedArchive();

    // The list.
    void updateCommandStates(int firstRow);
    void buildPopup();
    void columnClicked(int column);
    void selectionChanged(const QItemSelection& selected);
    void rowPressed();
    // Replaces the selection by these rows (ascending), makes the first or last current and
    // scrolls it into view; runs the list click once.
    void selectRows(const std::vector<int>& rows, bool currentIsLast, bool toTop);
    void scrollToTop(int row);
    long entryOfRow(int row) const;  // -1 when the row shows nothing
    int rowOfEntry(uint32_t e) const;  // -1 when no row shows it
    bool mayLeaveEntry() const { return !host.mayLeaveEntry || host.mayLeaveEntry(); }
    // The list after entry e (shown on `row`, or -1) was replaced and is entry `now`.
    void showReplaced(int row, uint32_t e, uint32_t now);

    // Search and filter.
    bool applyFilterFrom(const FindDialog& dialog);
    void showAll();
    void filterDialogFind();
};

// The whole-number percentage of a list fill after row i of n, rounded half to even.
int fillPercent(size_t i, size_t n);

}  // namespace varmelo::gui
