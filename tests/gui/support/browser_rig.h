#pragma once
// A stand-in main window for driving the real ArchiveBrowser: a plain widget holding the
// window's command objects, enabled as the browser reports, scripted prompts, and records of what the
// browser told its window (status texts, recent files, preview calls).
#include <QAction>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/messages.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/entry_list_view.h"
#include "gui/browser/find_dialog.h"
#include "gui/support/scripted_prompts.h"

namespace varmelo::gui {
class CommandActions;
}

namespace varmelo::gui::testing {

class BrowserRig {
public:
    BrowserRig();
    ~BrowserRig();

    QWidget window;
    CommandActions* commands;  // owned by the window
    ScriptedPrompts prompts;
    MessageTable messages;
    QStringList statuses;
    std::vector<std::string> recentFiles;
    int defaultPages = 0;
    std::vector<uint32_t> previews;
    bool previewShown = true;
    std::unique_ptr<ArchiveBrowser> browser;

    QAction* action(const char* name) const;
    bool enabled(const char* name) const { return action(name)->isEnabled(); }
    EntryListView* list() const;
    FindDialog* findDialog(int n) const;

    // Loads through the given way in and checks nothing; see prompts for what was asked.
    void load(const std::string& path, LoadOrigin origin = LoadOrigin::CommandLine);

    int rows() const;
    QString cell(int row, int column) const;
    QStringList column(int column) const;
    QString header(int column) const;
    // Selects exactly these rows as a user would (the browser hears the selection change).
    void select(const std::vector<int>& rows);
    std::vector<int> selectedRows() const;
    int topRow() const;

    // The filter command as the window runs it: its check flips, then the handler.
    void triggerFilter();
};

// Types text into a widget character by character, as key presses carrying that text
// (QTest's key clicks only know ASCII).
void typeText(QWidget* widget, const QString& text);

}  // namespace varmelo::gui::testing
