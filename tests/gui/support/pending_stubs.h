#pragma once
// Include from exactly one file of each test executable (definitions, not declarations).
// TEMPORARY stand-in for the browser until its implementation lands: records loads and
// plays the parts of the load procedure the window tests look at. Remove with the merge.
#include <QFile>
#include <QTreeView>

#include "gui/browser/archive_browser.h"

namespace varmelo::gui {

struct ArchiveBrowser::Impl {
    BrowserHost host;
    QTreeView* list = nullptr;
    Archive archive;
    bool closing = false;
};

ArchiveBrowser::ArchiveBrowser(BrowserHost host, Prompts&, MessageTable&, QObject* parent)
    : QObject(parent), d(new Impl) {
    d->host = std::move(host);
    d->list = new QTreeView(d->host.window);
    d->list->setObjectName(QStringLiteral("List1"));
}
ArchiveBrowser::~ArchiveBrowser() { delete d; }
QWidget* ArchiveBrowser::listWidget() const { return d->list; }
const Archive& ArchiveBrowser::archive() const { return d->archive; }
int ArchiveBrowser::sortColumn() const { return 0; }
void ArchiveBrowser::load(const QString& path, LoadOrigin) {
    d->host.noteRecentFile(QFile::encodeName(path).toStdString());
    d->archive.ArchivePath = QFile::encodeName(path).toStdString();
    d->host.showStatus(QStringLiteral("Загрузка завершена"));
    d->host.showDefaultPage();
}
void ArchiveBrowser::setClosing() { d->closing = true; }
void ArchiveBrowser::retranslate() {}
void ArchiveBrowser::openArchive() {}
void ArchiveBrowser::openRecent(const QString& path) { load(path, LoadOrigin::Recent); }
void ArchiveBrowser::newArchive() {}
void ArchiveBrowser::extract() {}
void ArchiveBrowser::openExternal() {}
void ArchiveBrowser::add() {}
void ArchiveBrowser::replace() {}
void ArchiveBrowser::remove() {}
void ArchiveBrowser::rename() {}
void ArchiveBrowser::rebuild() {}
void ArchiveBrowser::find() {}
void ArchiveBrowser::findNext() {}
void ArchiveBrowser::findAll() {}
void ArchiveBrowser::toggleFilter() {}
void ArchiveBrowser::listClick() {}

}  // namespace varmelo::gui

