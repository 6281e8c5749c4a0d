// The editing commands. The core writes the archive and updates the entry table and the
// row map; here the list is told what changed, and the selection follows.
#include <QItemSelectionModel>
#include <QScrollBar>
#include <algorithm>
#include <unordered_set>

#include "core/archive/img_editor.h"
#include "core/io/codepage.h"
#include "gui/app/prompts.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/browser_impl.h"
#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

namespace {


std::vector<std::string> pathBytes(const QStringList& files) {
    std::vector<std::string> out;
    out.reserve(size_t(files.size()));
    for (const QString& f : files) out.push_back(toPathBytes(f));
    return out;
}

// Freezes the list's painting for a command that changes many rows.
class FrozenList {
public:
    explicit FrozenList(QWidget* w) : w_(w) { w_->setUpdatesEnabled(false); }
    ~FrozenList() { thaw(); }
    void thaw() { w_->setUpdatesEnabled(true); }
    void freeze() { w_->setUpdatesEnabled(false); }

private:
    QWidget* w_;
};

}  // namespace

void ArchiveBrowser::add() {
    if (!d->archive.editable()) return;
    addFiles(d->prompts.pickOpenFiles(d->openDialog3->filter()));
}

void ArchiveBrowser::addFiles(const QStringList& files) {
    if (!d->archive.editable() || files.isEmpty() || !d->mayLeaveEntry()) return;

    bool removedSome = false;
    std::vector<uint32_t> added;
    std::exception_ptr failure;
    {
        FrozenList frozen(d->view);
        const ExistingNameDecider decide = [&](uint32_t existing) {
            // The question runs an event loop: let the list show the archive as it now is.
            if (removedSome) d->model->reset(); else d->model->rowsAppended();
            frozen.thaw();
            const QString name = fromCp1251(d->archive.Entries.at(existing).Name);
            const auto answer = d->prompts.askYesNoCancel(d->msg(MsgExists, {name.toStdString()}),
                                                          d->msg(MsgExistsCaption), Prompts::Icon::Question);
            frozen.freeze();
            switch (answer) {
            case Prompts::Answer::Yes: removedSome = true; return ExistingDecision::Replace;
            case Prompts::Answer::No: return ExistingDecision::AddAnother;
            default: return ExistingDecision::Stop;
            }
        };
        try {
            added = AddFiles(d->archive, pathBytes(files), decide);
        } catch (...) {
            failure = std::current_exception();
        }
        if (removedSome || failure)
            d->model->reset();
        else
            d->model->rowsAppended();
    }

    if (added.empty() && !removedSome && !failure) return;  // cancelled at the first question

    // The added entries' rows become the selection, the last one scrolled into view.
    std::unordered_set<uint32_t> wanted(added.begin(), added.end());
    std::vector<int> rows;
    for (size_t r = 0; r < d->archive.RowCount && !wanted.empty(); ++r)
        if (wanted.count(d->archive.RowMap[r])) rows.push_back(int(r));
    d->showDefaultPage();
    if (rows.empty())
        listClick();
    else
        d->selectRows(rows, true, false);
    d->showFailure(failure);
}

void ArchiveBrowser::replace() {
    if (!d->mayLeaveEntry()) return;
    const int row = d->view->firstSelectedRow();
    const long e = d->entryOfRow(row);
    if (e < 0 || !d->archive.editable()) return;
    const QStringList files = d->prompts.pickOpenFiles(d->openDialog3->filter());
    if (files.isEmpty()) return;

    uint32_t now = 0;
    try {
        now = ReplaceEntry(d->archive, uint32_t(e), toPathBytes(files.first()));
    } catch (const std::exception& ex) {
        d->model->sync();
        listClick();
        d->showError(ex);
        return;
    }
    d->showReplaced(row, uint32_t(e), now);
}

void ArchiveBrowser::replaceEntryData(uint32_t e, const std::string& file) {
    const int row = d->rowOfEntry(e);
    uint32_t now = 0;
    try {
        now = ReplaceEntryData(d->archive, e, file);
    } catch (...) {
        d->model->sync();
        throw;
    }
    d->showReplaced(row, e, now);
}

void ArchiveBrowser::Impl::showReplaced(int row, uint32_t e, uint32_t now) {
    showDefaultPage();
    if (now == e) {
        if (row >= 0) model->refreshRow(row);
        q->listClick();
        return;
    }
    // It did not fit: the entry moved to the end of the table and of the list.
    model->reset();
    const int moved = rowOfEntry(now);
    selectRows(moved >= 0 ? std::vector<int>{moved} : std::vector<int>{}, true, false);
}

void ArchiveBrowser::selectEntry(uint32_t e) {
    const int row = d->rowOfEntry(e);
    if (row >= 0) d->selectRows({row}, true, false);
}

void ArchiveBrowser::remove() {
    if (!d->archive.editable() || !d->mayLeaveEntry()) return;
    const QList<int> selected = d->view->selectedRowNumbers();
    if (selected.isEmpty()) return;
    if (d->prompts.askYesNo(d->msg(MsgConfirmDelete), d->msg(MsgConfirmDeleteCaption), Prompts::Icon::Question) !=
        Prompts::Answer::Yes)
        return;

    // Removing an entry renumbers every entry after it, so the list is rebuilt once at the
    // end rather than told row by row; no selected row survives the command anyway.
    const int scroll = d->view->verticalScrollBar()->value();
    int removed = 0;
    std::exception_ptr failure;
    {
        FrozenList frozen(d->view);
        try {
            // Each removal moves the later rows up by one.
            for (int s : selected) {
                const long e = d->entryOfRow(s - removed);
                if (e < 0) continue;
                RemoveEntryAt(d->archive, uint32_t(e));
                ++removed;
            }
        } catch (...) {
            failure = std::current_exception();
        }
        d->model->reset();
        d->view->verticalScrollBar()->setValue(scroll);
        // Keyboard work goes on where the first removed row was.
        const int current = std::min(selected.first(), d->model->rowCount() - 1);
        if (current >= 0)
            d->view->selectionModel()->setCurrentIndex(d->model->index(current, 0), QItemSelectionModel::NoUpdate);
    }
    if (removed > 0) d->showDefaultPage();
    listClick();
    d->showFailure(failure);
}

void ArchiveBrowser::rename() {
    const int row = d->view->firstSelectedRow();
    const long e = d->entryOfRow(row);
    if (e < 0 || !d->archive.editable() || !d->renameDialog) return;
    d->renameDialog->setName(fromCp1251(d->archive.Entries[size_t(e)].Name));
    if (d->renameDialog->exec() != QDialog::Accepted) return;
    // The edit field only takes what Windows-1251 can hold; anything else is not a name.
    const auto name = toCp1251(d->renameDialog->name());
    if (!name) return;
    // The dialog ran an event loop: the entry must still be the one shown on that row.
    if (d->entryOfRow(row) != e) return;
    try {
        RenameEntry(d->archive, uint32_t(e), *name);
    } catch (const std::exception& ex) {
        d->model->sync();
        d->showError(ex);
        return;
    }
    d->model->refreshRow(row);
}

}  // namespace varmelo::gui
