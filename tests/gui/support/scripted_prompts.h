#pragma once
// Prompts for widget tests: answers come from queues the test fills, and every question is
// recorded with its text so the test can check what the user would have seen.
#include <QList>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "gui/app/prompts.h"

namespace varmelo::gui::testing {

class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        QString kind;  // "yesno", "yesnocancel", "error", "message", "open", "openmany", "save", "folder", "item", "text"
        QString text;  // question text, error text, filter or title
        QString caption;  // caption, or the proposed name of a save dialog
    };

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> files;   // pickOpenFile / pickSaveFile / pickFolder
    std::deque<QStringList> fileLists;          // pickOpenFiles
    std::deque<int> saveFilterIndexes;          // filter index chosen in a save dialog
    std::deque<std::optional<int>> items;       // pickItem; none queued: cancel
    std::deque<std::optional<QString>> texts;   // askText; none queued: cancel
    QStringList lastItems;                      // what the last pickItem offered
    QList<QIcon> lastIcons;                     // and the icons in front of them
    int lastCurrent = -1;                       // and which item it offered first
    QList<Asked> asked;

    Answer askYesNo(const QString& text, const QString& caption, Icon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& caption, Icon icon) override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    std::optional<QString> pickOpenFile(const QString& filter) override;
    QStringList pickOpenFiles(const QString& filter) override;
    std::optional<QString> pickSaveFile(const QString& filter, const QString& proposedName, int* filterIndex) override;
    std::optional<QString> pickFolder(const QString& title) override;
    std::optional<int> pickItem(const QString& title, const QString& label, const QStringList& items,
                                int current, const QList<QIcon>& icons = {}) override;
    std::optional<QString> askText(const QString& title, const QString& label, const QString& initial) override;

    QStringList errors() const;
    int count(const QString& kind) const;

private:
    Answer nextAnswer(Answer fallback);
    std::optional<QString> nextFile();
};

}  // namespace varmelo::gui::testing
