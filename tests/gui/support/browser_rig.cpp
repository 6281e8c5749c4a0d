#include "gui/support/browser_rig.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>

#include "gui/app/command_actions.h"
#include "gui/browser/find_dialog.h"

namespace varmelo::gui::testing {

BrowserRig::BrowserRig() : commands(new CommandActions(&window)) {
    BrowserHost host;
    host.window = &window;
    host.showStatus = [this](const QString& s) { statuses << s; };
    host.noteRecentFile = [this](const std::string& p) { recentFiles.push_back(p); };
    host.showDefaultPage = [this] { ++defaultPages; };
    host.preview = [this](uint32_t e) { previews.push_back(e); };
    host.previewVisible = [this] { return previewShown; };
    host.commandFacts = [this](const BrowserFacts& f) { commands->applyFacts(CommandFacts{.browser = f}); };
    host.filterChecked = [this](bool on) { action("SearchFilter1")->setChecked(on); };
    browser = std::make_unique<ArchiveBrowser>(host, prompts, messages);
    browser->listWidget()->resize(500, 300);
}

BrowserRig::~BrowserRig() = default;

QAction* BrowserRig::action(const char* name) const {
    return commands->action(QString::fromLatin1(name));
}

EntryListView* BrowserRig::list() const { return static_cast<EntryListView*>(browser->listWidget()); }

FindDialog* BrowserRig::findDialog(int n) const {
    return window.findChild<FindDialog*>(QStringLiteral("FindDialog%1").arg(n));
}

void BrowserRig::load(const std::string& path, LoadOrigin origin) {
    browser->load(QString::fromStdString(path), origin);
}

int BrowserRig::rows() const { return list()->model()->rowCount(); }

QString BrowserRig::cell(int row, int column) const {
    const QAbstractItemModel* m = list()->model();
    return m->data(m->index(row, column)).toString();
}

QStringList BrowserRig::column(int c) const {
    QStringList out;
    for (int r = 0; r < rows(); ++r) out << cell(r, c);
    return out;
}

QString BrowserRig::header(int c) const { return list()->model()->headerData(c, Qt::Horizontal).toString(); }

void BrowserRig::select(const std::vector<int>& rows) {
    QItemSelectionModel* sel = list()->selectionModel();
    sel->clearSelection();
    for (int r : rows)
        sel->select(list()->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

std::vector<int> BrowserRig::selectedRows() const {
    std::vector<int> out;
    for (int r : list()->selectedRowNumbers()) out.push_back(r);
    return out;
}

int BrowserRig::topRow() const { return list()->rowAt(0); }

void BrowserRig::triggerFilter() {
    action("SearchFilter1")->toggle();
    browser->toggleFilter(action("SearchFilter1")->isChecked());
}

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

}  // namespace varmelo::gui::testing
