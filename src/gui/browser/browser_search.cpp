// Find next, find all and the filter, all matching entry names against a dialog's mask.
#include <optional>

#include "core/browser/mask.h"
#include "core/browser/row_map.h"
#include "gui/app/prompts.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/browser_impl.h"
#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

namespace {

// The matcher of a dialog's text and options; an invalid mask is reported and gives none.
std::optional<NameMatcher> matcherOf(const FindDialog& dialog, Prompts& prompts) {
    try {
        return NameMatcher(dialog.maskText(), dialog.options());
    } catch (const MaskError& e) {
        prompts.showError(errorText(e));
        return std::nullopt;
    }
}

}  // namespace

void ArchiveBrowser::find() {
    d->facts.searchStarted = true;
    d->publishFacts();
    d->find1->present();
}

void ArchiveBrowser::findNext() {
    const auto matcher = matcherOf(*d->find1, d->prompts);
    if (!matcher) return;
    const int current = d->view->firstSelectedRow();
    const long start = long(current) + 1;
    const long rows = long(d->archive.RowCount);
    const long found = start < rows ? findNextRow(d->archive, start, *matcher) : -1;
    if (found < 0) {
        d->prompts.showMessage(d->msg(MsgNotFound));
        return;
    }
    // The found row replaces the current one; other selected rows stay selected.
    d->quietSelection = true;
    QItemSelectionModel* sel = d->view->selectionModel();
    const int columns = d->model->columnCount();
    if (current >= 0)
        sel->select(QItemSelection(d->model->index(current, 0), d->model->index(current, columns - 1)),
                    QItemSelectionModel::Deselect);
    const QModelIndex target = d->model->index(int(found), 0);
    sel->select(QItemSelection(target, d->model->index(int(found), columns - 1)), QItemSelectionModel::Select);
    sel->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    d->scrollToTop(int(found));
    d->quietSelection = false;
    listClick();
}

void ArchiveBrowser::findAll() {
    d->quietSelection = true;
    d->view->clearSelection();
    d->quietSelection = false;
    const auto matcher = matcherOf(*d->find1, d->prompts);
    if (!matcher) {
        d->updateCommandStates(-1);
        return;
    }
    std::vector<int> rows;
    for (long r = findNextRow(d->archive, 0, *matcher); r >= 0; r = findNextRow(d->archive, r + 1, *matcher))
        rows.push_back(int(r));
    if (rows.empty()) {
        d->updateCommandStates(-1);
        d->prompts.showMessage(d->msg(MsgNotFoundAll));
        return;
    }
    d->selectRows(rows, false, true);
}

void ArchiveBrowser::toggleFilter(bool on) {
    if (on) {
        d->find2->present();
    } else {
        d->showAll();
        d->status(d->msg(MsgFiltered));
        d->showFilterChecked(false);
    }
    d->statusNow(d->msg(MsgWait));
    if (on) {
        if (!d->applyFilterFrom(*d->find2)) return;
        d->filterOn = true;
    } else {
        d->showAll();
    }
    d->status(d->msg(MsgFiltered));
}

void ArchiveBrowser::Impl::filterDialogFind() {
    statusNow(msg(MsgWait));
    if (!applyFilterFrom(*find2)) return;
    filterOn = true;
    showFilterChecked(true);
    status(msg(MsgFiltered));
    find2->close();
}

bool ArchiveBrowser::Impl::applyFilterFrom(const FindDialog& dialog) {
    std::optional<NameMatcher> matcher;
    try {
        matcher.emplace(dialog.maskText(), dialog.options());
    } catch (const MaskError& e) {
        // The rows were already gone when the mask turned out to be invalid.
        archive.RowCount = 0;
        model->reset();
        updateCommandStates(-1);
        showError(e);
        return false;
    }
    applyFilter(archive, *matcher);
    model->reset();
    updateCommandStates(-1);
    return true;
}

void ArchiveBrowser::Impl::showAll() {
    showAllRows(archive);
    filterOn = false;
    model->reset();
    updateCommandStates(-1);
}

}  // namespace varmelo::gui
