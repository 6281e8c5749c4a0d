// The load procedure and its ways in: open, recent files, new archive, and the reload that
// ends a rebuild.
#include "core/archive/create_archive.h"
#include "core/archive/open_archive.h"
#include "core/archive/readers.h"
#include "core/archive/rebuild.h"
#include "gui/app/prompts.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/browser_impl.h"
#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

int fillPercent(size_t i, size_t n) {
    if (n < 2) return 0;
    const uint64_t num = uint64_t(i) * 100, den = n - 1;
    uint64_t p = num / den;
    const uint64_t twice = (num % den) * 2;
    if (twice > den || (twice == den && p % 2 == 1)) ++p;
    return int(p);
}

void ArchiveBrowser::load(const QString& path, LoadOrigin origin) { d->load(toPathBytes(path), origin); }

void ArchiveBrowser::Impl::load(const std::string& chosenPath, LoadOrigin origin) {
    if (!mayLeaveEntry()) return;
    runLoad(chosenPath);
    // Opening by hand starts a fresh sort; the command line, a drop and a rebuild keep it.
    if (origin == LoadOrigin::OpenDialog || origin == LoadOrigin::Recent || origin == LoadOrigin::NewArchive)
        resetSortState();
}

void ArchiveBrowser::openArchive() {
    const auto chosen = d->prompts.pickOpenFile(d->openDialog1->filter());
    if (chosen) load(*chosen, LoadOrigin::OpenDialog);
}

void ArchiveBrowser::openRecent(const QString& path) { load(path, LoadOrigin::Recent); }

void ArchiveBrowser::newArchive() {
    int filterIndex = 1;
    const auto chosen = d->prompts.pickSaveFile(d->saveDialog4->filter(), QString(), &filterIndex);
    if (!chosen) return;
    std::string path;
    try {
        path = newArchivePath(toPathBytes(*chosen));
        CreateArchive(path, filterIndex == 2 ? NewArchiveForm::SanAndreas : NewArchiveForm::ViceCity);
    } catch (const std::exception& e) {
        d->showError(e);
        return;
    }
    d->load(path, LoadOrigin::NewArchive);
}

void ArchiveBrowser::rebuild() {
    if (!d->archive.editable() || !d->mayLeaveEntry()) return;
    std::vector<CutEntry> cuts;
    try {
        cuts = RebuildArchive(d->archive, [this](int percent) {
            d->statusNow(d->msg(MsgRebuilding, {int64_t(percent)}));
        });
    } catch (const std::exception& e) {
        // The core has read the untouched archive back; show what is on disk.
        d->adoptReloadedArchive();
        d->showError(e);
        return;
    }
    const std::string path = d->archive.ArchivePath;
    d->load(path, LoadOrigin::Rebuild);
    if (!cuts.empty()) {
        // Entries whose records claimed more than the file held now end where the file did.
        QString text;
        for (const CutEntry& c : cuts) text += QString::fromStdString(describeCut(c)) + "\n";
        d->prompts.showMessage(text.trimmed());
    }
}

void ArchiveBrowser::Impl::runLoad(const std::string& chosen) {
    // Recorded as chosen, before ".dir" becomes ".img", and kept even if the load fails.
    if (host.noteRecentFile) host.noteRecentFile(chosen);

    // The next archive is built aside: until its directory is being read, every way out
    // leaves the previous archive, its list and its commands exactly as they were.
    Archive next;
    try {
        next = locateArchive(chosen);
    } catch (const std::exception& e) {
        showError(e);
        return;
    }
    while (directoryFileMissing(next)) {
        const auto answer = prompts.askYesNo(msg(MsgDirMissing, {fromPathBytes(next.DirPath).toStdString()}),
                                             msg(MsgDirMissingCaption), Prompts::Icon::Information);
        if (answer != Prompts::Answer::Yes) break;
        const auto picked = prompts.pickOpenFile(openDialog2->filter());
        if (!picked) break;
        next.DirPath = toPathBytes(*picked);
    }
    if (directoryFileMissing(next)) return;

    resetCommands(next.ArchiveKind);
    if (find1) find1->setText(QString());
    status(msg(MsgLoading));

    std::exception_ptr failure;
    try {
        ReadDirectory(next);
    } catch (...) {
        failure = std::current_exception();
    }
    // A reader that fails part-way leaves the entries it read, with the row map over them;
    // the list shows exactly those, so no row refers to an entry that does not exist.
    archive = std::move(next);
    ++archiveSerial;
    filterOn = false;
    model->reset();
    updateCommandStates(-1);
    showDefaultPage();
    if (failure) {
        showFailure(failure);
        return;
    }
    reportFillProgress();
    QString loaded = msg(MsgLoaded);
    if (archive.ListedCount && *archive.ListedCount > archive.Entries.size())
        // A ZIP whose local headers stop early: say so rather than show a short list as whole.
        loaded += QStringLiteral(". ") + msg(MsgShortListing, {int64_t(*archive.ListedCount - archive.Entries.size()),
                                                               int64_t(*archive.ListedCount)});
    status(loaded);
}

void ArchiveBrowser::Impl::resetCommands(TArchiveKind kind) {
    facts = BrowserFacts{.archiveOpen = true, .archiveEditable = isEditable(kind)};
    publishFacts();
    showFilterChecked(false);
    view->setPopupAttached(false);
}

void ArchiveBrowser::Impl::reportFillProgress() {
    // The rows cost nothing to add, but the percentages keep their old rhythm: one status
    // text per whole-number change, at most 101 per load.
    const size_t n = archive.Entries.size();
    int shown = -1;
    for (size_t i = 0; i < n && !closing; ++i) {
        const int p = fillPercent(i, n);
        if (p == shown) continue;
        shown = p;
        status(msg(MsgLoadingPercent, {int64_t(p)}));
    }
}

void ArchiveBrowser::Impl::resetSortState() {
    sortColumn = -1;
    model->setMarkedColumn(-1);
    model->resetCaptions();
}

void ArchiveBrowser::Impl::adoptReloadedArchive() {
    filterOn = false;
    showFilterChecked(false);
    model->reset();
    updateCommandStates(-1);
}

}  // namespace varmelo::gui
