#pragma once
// The frame every preview page is built on: the header row with the entry's name in bold and
// its size at the right, the way to ask the panel for a page, the message table and prompts,
// the one way the page's own commands report a failure, and the info line that tells a failed
// preview. A page adds its own widgets and its preview.
#include <QList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "gui/preview/preview_page.h"

class QAction;
class QLabel;
class QListView;
class QMenu;
class QSplitter;

namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class Prompts;

class PreviewPageFrame : public QWidget {
    Q_OBJECT
public:
    using ShowPage = std::function<void(PreviewPage)>;

    // The header's labels are named `labelPrefix` + "Name" and + "Size" ("TXDName", ...).
    PreviewPageFrame(PreviewPage kind, const char* labelPrefix, const MessageTable& messages, Prompts& prompts,
                     QWidget* parent = nullptr);

    PreviewPage kind() const { return kind_; }
    // Asks the panel to show a page; a page asks for itself (or for page 0) in its preview.
    void setShowPage(ShowPage show) { showPage_ = std::move(show); }

    // Shows bytes [offset, offset + size) of the archive file, an entry named `name` (raw
    // Windows-1251 bytes). What cannot be shown throws FileError / FormatError for the
    // dispatch to report.
    virtual void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) = 0;

    QLabel* nameLabel() const { return name_; }
    QLabel* sizeLabel() const { return size_; }
    // The page's commands (its context menu's items), for the window to take as its own.
    const QList<QAction*>& commands() const { return commands_; }

    // Says on the page, in its info line, why its entry could not be read (wholly); the page
    // keeps what its preview showed. False for a page without such a line: its failures are
    // the dispatch's to report.
    bool showFailure(const QString& text);

protected:
    // The name and size row, for the page to place in its layout.
    QWidget* header() const { return header_; }
    // The upper panel of the pages with a list ("Panel2"): the header, the given labels, then
    // the list, which gets the pages' look (one row selected at a time, rows of one height, the
    // button colour behind them).
    QWidget* listPanel(std::initializer_list<QWidget*> labels, QListView* list);
    // Lays a 3D page out: `panel` over `view` in a vertical splitter named `splitterName`, the
    // panel 225 pixels high to start, the view taking what the page gains.
    QSplitter* splitOverView(const char* splitterName, QWidget* panel, QWidget* view);
    void showHeader(const std::string& name, const QString& sizeText);
    // The line that says what the page shows, and what failed when the preview does.
    void setInfoLine(QLabel* line) { infoLine_ = line; }
    // The two ways pages give a size: whole kilobytes rounded up, and the list's size text.
    QString kilobytes(uint64_t bytes) const;
    QString formattedSize(uint64_t bytes) const;
    void askForPage(PreviewPage p) const;
    // Adds the command table's command `name` (a page command) to `menu`, running `run` with
    // the action's check state when it is chosen; a separator first where the table asks for one.
    QAction* addCommand(QMenu* menu, const char* name, std::function<void(bool)> run);
    // Runs one of the page's commands; a failure is shown in the standard error box.
    void runCommand(const std::function<void()>& command) const;
    void reportFailure(const std::exception& e) const;

    const MessageTable& messages_;
    Prompts& prompts_;

private:
    PreviewPage kind_;
    ShowPage showPage_;
    QList<QAction*> commands_;
    QWidget* header_ = nullptr;
    QLabel* name_ = nullptr;
    QLabel* size_ = nullptr;
    QLabel* infoLine_ = nullptr;
};

}  // namespace varmelo::gui
