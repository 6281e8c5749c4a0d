#pragma once
// Every question, message box and file dialog goes through Prompts, so that widget tests can
// script the answers and check what was asked.
#include <QIcon>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace varmelo::gui {

class Prompts {
public:
    enum class Answer { Yes, No, Cancel };
    enum class Icon { Information, Question, Warning, Error };

    virtual ~Prompts() = default;

    virtual Answer askYesNo(const QString& text, const QString& caption, Icon icon) = 0;
    virtual Answer askYesNoCancel(const QString& text, const QString& caption, Icon icon) = 0;
    // The standard error box: caption is the application title.
    virtual void showError(const QString& text) = 0;
    // A plain message box with one OK button.
    virtual void showMessage(const QString& text) = 0;

    // Filters use the "Description|*.a;*.b|Other|*.*" form. Empty / nullopt on cancel.
    virtual std::optional<QString> pickOpenFile(const QString& filter) = 0;
    virtual QStringList pickOpenFiles(const QString& filter) = 0;
    // `filterIndex` is 1-based, in and out (the filter the user chose).
    virtual std::optional<QString> pickSaveFile(const QString& filter, const QString& proposedName,
                                                int* filterIndex = nullptr) = 0;
    virtual std::optional<QString> pickFolder(const QString& title) = 0;
    // One of `items`, `current` chosen at first: its index, nullopt on cancel. `icons`, when
    // given, go in front of the items (one each).
    virtual std::optional<int> pickItem(const QString& title, const QString& label, const QStringList& items,
                                        int current, const QList<QIcon>& icons = {}) = 0;
    // One line of text, `initial` filled in at first; nullopt on cancel.
    virtual std::optional<QString> askText(const QString& title, const QString& label, const QString& initial) = 0;
};

// Converts "A|*.a|B|*.b;*.c" to Qt's "A (*.a);;B (*.b *.c)" name filters.
QStringList qtNameFilters(const QString& pipeFilter);

}  // namespace varmelo::gui
