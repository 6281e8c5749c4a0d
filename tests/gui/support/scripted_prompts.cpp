#include "gui/support/scripted_prompts.h"

namespace varmelo::gui::testing {

Prompts::Answer ScriptedPrompts::nextAnswer(Answer fallback) {
    if (answers.empty()) return fallback;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPrompts::nextFile() {
    if (files.empty()) return std::nullopt;
    // Taken by swap: a copy of the front makes GCC 12 see the QString of an empty optional as
    // read uninitialised (-Wmaybe-uninitialized).
    std::optional<QString> f;
    f.swap(files.front());
    files.pop_front();
    return f;
}

Prompts::Answer ScriptedPrompts::askYesNo(const QString& text, const QString& caption, Icon) {
    asked.append({"yesno", text, caption});
    return nextAnswer(Answer::No);
}

Prompts::Answer ScriptedPrompts::askYesNoCancel(const QString& text, const QString& caption, Icon) {
    asked.append({"yesnocancel", text, caption});
    return nextAnswer(Answer::Cancel);
}

void ScriptedPrompts::showError(const QString& text) { asked.append({"error", text, {}}); }

void ScriptedPrompts::showMessage(const QString& text) { asked.append({"message", text, {}}); }

std::optional<QString> ScriptedPrompts::pickOpenFile(const QString& filter) {
    asked.append({"open", filter, {}});
    return nextFile();
}

QStringList ScriptedPrompts::pickOpenFiles(const QString& filter) {
    asked.append({"openmany", filter, {}});
    if (fileLists.empty()) return {};
    QStringList l = fileLists.front();
    fileLists.pop_front();
    return l;
}

std::optional<QString> ScriptedPrompts::pickSaveFile(const QString& filter, const QString& proposedName,
                                                     int* filterIndex) {
    asked.append({"save", filter, proposedName});
    if (filterIndex && !saveFilterIndexes.empty()) {
        *filterIndex = saveFilterIndexes.front();
        saveFilterIndexes.pop_front();
    }
    return nextFile();
}

std::optional<QString> ScriptedPrompts::pickFolder(const QString& title) {
    asked.append({"folder", title, {}});
    return nextFile();
}

std::optional<int> ScriptedPrompts::pickItem(const QString& title, const QString& label,
                                            const QStringList& offered, int current, const QList<QIcon>& icons) {
    lastIcons = icons;
    asked.append({"item", label, title});
    lastItems = offered;
    lastCurrent = current;
    if (items.empty()) return std::nullopt;
    const std::optional<int> chosen = items.front();
    items.pop_front();
    return chosen;
}

QStringList ScriptedPrompts::errors() const {
    QStringList out;
    for (const auto& a : asked)
        if (a.kind == "error") out << a.text;
    return out;
}

int ScriptedPrompts::count(const QString& kind) const {
    int n = 0;
    for (const auto& a : asked) n += a.kind == kind;
    return n;
}

std::optional<QString> ScriptedPrompts::askText(const QString& title, const QString& label, const QString&) {
    asked.append({"text", label, title});
    if (texts.empty()) return std::nullopt;
    std::optional<QString> t;  // by swap, as in nextFile
    t.swap(texts.front());
    texts.pop_front();
    return t;
}

}  // namespace varmelo::gui::testing
