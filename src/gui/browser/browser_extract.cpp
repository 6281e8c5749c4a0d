// Copying entries out: to a file or a folder the user picks, or to a private temporary
// copy handed to the program the desktop associates with the entry's extension.
#include "core/archive/extract.h"
#include "core/io/codepage.h"
#include "core/io/errors.h"
#include "gui/app/prompts.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/browser_impl.h"
#include "gui/browser/cp1251_text.h"
#include "gui/browser/external_opener.h"

namespace varmelo::gui {

void ArchiveBrowser::extract() {
    const QList<int> rows = d->view->selectedRowNumbers();
    if (rows.isEmpty()) return;
    const Archive& a = d->archive;

    if (rows.size() == 1) {
        const long e = d->entryOfRow(rows.first());
        if (e < 0) return;
        const std::string& name = a.Entries[size_t(e)].Name;
        d->saveDialog1->setFilter(d->msg(MsgExtractFilter, {cp1251ToUtf8(entryExtension(name))}));
        const auto dest = d->prompts.pickSaveFile(d->saveDialog1->filter(), fromCp1251(proposedFileName(name)));
        if (!dest) return;
        try {
            SaveEntryToFile(a, uint32_t(e), toPathBytes(*dest));
        } catch (const std::exception& ex) {
            d->showError(ex);
        }
        return;
    }

    const auto folder = d->prompts.pickFolder(d->msg(MsgExtractFolder));
    if (!folder) return;
    const std::string folderBytes = toPathBytes(*folder);
    for (int row : rows) {
        const long e = d->entryOfRow(row);
        if (e < 0) continue;
        try {
            SaveEntryIntoFolder(a, uint32_t(e), folderBytes);
        } catch (const UsageError& ex) {
            // An entry refused on its own (a name that would land outside the folder, a link
            // or a folder in its place) costs only that entry; the others are still worth having.
            d->showError(ex);
        } catch (const std::exception& ex) {
            d->showError(ex);
            return;
        }
    }
}

void ArchiveBrowser::openExternal() {
    const long e = d->entryOfRow(d->view->firstSelectedRow());
    if (e < 0) return;
    std::string path;
    try {
        path = openTempPath(d->archive, uint32_t(e));
        SaveEntryToFile(d->archive, uint32_t(e), path);
    } catch (const std::exception& ex) {
        d->showError(ex);
        return;
    }
    openWithAssociatedProgram(fromPathBytes(path));
}

}  // namespace varmelo::gui
