#include "gui/browser/archive_browser.h"

#include <QAction>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QTimer>
#include <QWidget>
#include <map>

#include "core/archive/archive_file_type.h"
#include "core/browser/row_map.h"
#include "gui/app/prompts.h"
#include "gui/browser/browser_impl.h"
#include "gui/browser/cp1251_text.h"

namespace varmelo::gui {

ArchiveBrowser::Impl::Impl(ArchiveBrowser* owner, BrowserHost h, Prompts& p, MessageTable& m)
    : q(owner), host(std::move(h)), prompts(p), messages(m) {}

ArchiveBrowser::ArchiveBrowser(BrowserHost host, Prompts& prompts, MessageTable& messages, QObject* parent)
    : QObject(parent), d(new Impl(this, std::move(host), prompts, messages)) {
    QWidget* window = d->host.window;
    d->model = new EntryListModel(d->archive, d->messages, this);
    d->view = new EntryListView(window);
    d->view->setModel(d->model);
    d->view->applyColumnWidths();
    connect(d->view, &EntryListView::columnClicked, this, [this](int c) { d->columnClicked(c); });
    connect(d->view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection&) { d->selectionChanged(selected); });
    // A click also previews when it leaves the selection as it was (a second click on the
    // selected row, a click that only deselects).
    connect(d->view, &QAbstractItemView::pressed, this, [this] { d->rowPressed(); });

    d->find1 = new FindDialog(QStringLiteral("FindDialog1"), window);
    d->find2 = new FindDialog(QStringLiteral("FindDialog2"), window);
    connect(d->find1, &FindDialog::findRequested, this, &ArchiveBrowser::findNext);
    connect(d->find2, &FindDialog::findRequested, this, [this] { d->filterDialogFind(); });
    d->renameDialog = new RenameDialog(window);

    d->openDialog1 = new FileDialogFilter(QStringLiteral("OpenDialog1"), QString::fromStdString(archiveOpenFilter()), this);
    d->openDialog2 = new FileDialogFilter(QStringLiteral("OpenDialog2"),
                                          QStringLiteral("Файл DIR (*.dir)|*.dir|Все файлы|*.*"), this);
    d->openDialog3 = new FileDialogFilter(QStringLiteral("OpenDialog3"), QStringLiteral("Все файлы|*.*"), this);
    d->saveDialog1 = new FileDialogFilter(QStringLiteral("SaveDialog1"), QString(), this);
    d->saveDialog4 = new FileDialogFilter(QStringLiteral("SaveDialog4"),
                                          QStringLiteral("Архив GTA: VC (*.img)|*.img|Архив GTA: SA (*.img)|*.img"), this);
}

ArchiveBrowser::~ArchiveBrowser() {
    // The model draws from the archive in d: it must not outlive it, even by a moment.
    if (d->view) d->view->setModel(nullptr);
    delete d->model;
    // Widgets parented to the window go with it; parentless ones are ours.
    for (QWidget* w : {static_cast<QWidget*>(d->view), static_cast<QWidget*>(d->find1),
                       static_cast<QWidget*>(d->find2), static_cast<QWidget*>(d->renameDialog)})
        if (w && !w->parent()) delete w;
    delete d;
}

QWidget* ArchiveBrowser::listWidget() const { return d->view; }
const Archive& ArchiveBrowser::archive() const { return d->archive; }
uint64_t ArchiveBrowser::archiveSerial() const { return d->archiveSerial; }
int ArchiveBrowser::sortColumn() const { return d->sortColumn; }
void ArchiveBrowser::setClosing() { d->closing = true; }
void ArchiveBrowser::retranslate() { d->model->refreshHeader(); }

// ---- helpers ----------------------------------------------------------------------------

void ArchiveBrowser::Impl::publishFacts() const {
    if (host.commandFacts) host.commandFacts(facts);
}

void ArchiveBrowser::Impl::showFilterChecked(bool on) const {
    if (host.filterChecked) host.filterChecked(on);
}

QString ArchiveBrowser::Impl::msg(int n) const { return QString::fromStdString(messages.get(n)); }

QString ArchiveBrowser::Impl::msg(int n, const std::vector<FormatArg>& args) const {
    return QString::fromStdString(formatText(messages.get(n), args));
}

void ArchiveBrowser::Impl::status(const QString& text) const {
    if (host.showStatus) host.showStatus(text);
}

void ArchiveBrowser::Impl::statusNow(const QString& text) const {
    status(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ArchiveBrowser::Impl::showError(const std::exception& e) const { prompts.showError(errorText(e)); }

void ArchiveBrowser::Impl::showFailure(const std::exception_ptr& failure) const {
    if (!failure) return;
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        showError(e);
    } catch (...) {
        prompts.showError(QStringLiteral("Unknown error"));
    }
}

void ArchiveBrowser::Impl::showDefaultPage() const {
    if (host.showDefaultPage) host.showDefaultPage();
}

long ArchiveBrowser::Impl::entryOfRow(int row) const {
    if (row < 0 || size_t(row) >= archive.RowCount || size_t(row) >= archive.RowMap.size()) return -1;
    const uint32_t e = archive.RowMap[size_t(row)];
    return e < archive.Entries.size() ? long(e) : -1;
}

int ArchiveBrowser::Impl::rowOfEntry(uint32_t e) const {
    for (size_t r = 0; r < archive.RowCount && r < archive.RowMap.size(); ++r)
        if (archive.RowMap[r] == e) return int(r);
    return -1;
}

// ---- the list ---------------------------------------------------------------------------

void ArchiveBrowser::listClick() {
    const int r = d->view->firstSelectedRow();
    d->updateCommandStates(r);
    const long e = d->entryOfRow(r);
    if (e < 0 || !d->host.preview || !d->host.previewVisible || !d->host.previewVisible()) return;
    try {
        d->host.preview(uint32_t(e));
    } catch (const std::exception& ex) {
        d->showError(ex);
    }
}

void ArchiveBrowser::Impl::updateCommandStates(int firstRow) {
    const bool any = entryOfRow(firstRow) >= 0;
    facts.rowSelected = any;
    publishFacts();
    if (any) buildPopup();
    view->setPopupAttached(any);
}

void ArchiveBrowser::Impl::buildPopup() {
    if (popupBuilt || !host.window) return;
    std::map<int, const CommandDef*> placed;
    for (const CommandDef& c : commandTable())
        if (c.contextMenu.at > 0) placed.emplace(c.contextMenu.at, &c);
    QList<QAction*> items;
    for (const auto& [at, c] : placed) {
        QAction* a = host.window->findChild<QAction*>(QString::fromLatin1(c->name.data(), c->name.size()));
        if (!a) continue;
        if (c->contextMenu.gapBefore && !items.isEmpty()) items.append(nullptr);
        items.append(a);
    }
    if (items.size() <= 1) return;  // the window has not made its commands yet
    view->setPopupActions(items);
    popupBuilt = true;
}

void ArchiveBrowser::Impl::selectionChanged(const QItemSelection& selected) {
    if (quietSelection) return;
    // A row that becomes selected previews; one that only loses its selection does not.
    if (!selected.isEmpty()) {
        q->listClick();
        clickRanBySelection = true;
        QTimer::singleShot(0, q, [this] { clickRanBySelection = false; });
    } else {
        updateCommandStates(view->firstSelectedRow());
    }
}

void ArchiveBrowser::Impl::rowPressed() {
    // The view changes the selection before it reports the press.
    if (!clickRanBySelection) q->listClick();
    clickRanBySelection = false;
}

void ArchiveBrowser::Impl::selectRows(const std::vector<int>& rows, bool currentIsLast, bool toTop) {
    quietSelection = true;
    QItemSelection sel;
    const int columns = model->columnCount();
    size_t i = 0;
    while (i < rows.size()) {  // one range per run of adjacent rows
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        sel.select(model->index(rows[i], 0), model->index(rows[j], columns - 1));
        i = j + 1;
    }
    view->selectionModel()->select(sel, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!rows.empty()) {
        const int current = currentIsLast ? rows.back() : rows.front();
        view->selectionModel()->setCurrentIndex(model->index(current, 0), QItemSelectionModel::NoUpdate);
        if (toTop)
            scrollToTop(current);
        else
            view->scrollTo(model->index(current, 0), QAbstractItemView::EnsureVisible);
    }
    quietSelection = false;
    q->listClick();
}

void ArchiveBrowser::Impl::scrollToTop(int row) {
    view->scrollTo(model->index(row, 0), QAbstractItemView::PositionAtTop);
}

void ArchiveBrowser::Impl::columnClicked(int column) {
    if (archive.Entries.empty()) return;
    const bool reverses = column == sortColumn;
    sortColumn = columnClick(archive, sortColumn, column);
    if (!reverses) {
        model->setMarkedColumn(column);
        model->refreshHeader();
    }
    model->refreshAll();
}

}  // namespace varmelo::gui
