#pragma once
// The real questions and dialogs: message boxes and the toolkit's file dialogs.
#include "gui/app/prompts.h"

namespace varmelo::gui {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer askYesNo(const QString& text, const QString& caption, Icon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& caption, Icon icon) override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    std::optional<QString> pickOpenFile(const QString& filter) override;
    QStringList pickOpenFiles(const QString& filter) override;
    std::optional<QString> pickSaveFile(const QString& filter, const QString& proposedName,
                                        int* filterIndex = nullptr) override;
    std::optional<QString> pickFolder(const QString& title) override;
    std::optional<int> pickItem(const QString& title, const QString& label, const QStringList& items,
                                int current, const QList<QIcon>& icons = {}) override;
    std::optional<QString> askText(const QString& title, const QString& label, const QString& initial) override;

private:
    QWidget* parent_;
};

}  // namespace varmelo::gui
