#pragma once
// The bitmap save dialog shared by the texture and picture previews: one dialog, so it
// remembers the name it last had across both.
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

#include "gui/app/file_dialog_filter.h"

class QObject;

namespace varmelo::gui {

class Prompts;

class BitmapSaveDialog {
public:
    static constexpr const char* kFilter = "Точечный рисунок (*.bmp)|*.bmp";

    // The filter lives under `owner` as SaveDialog2, where a language file finds it; without
    // an owner the dialog keeps it to itself.
    explicit BitmapSaveDialog(QObject* owner = nullptr);
    ~BitmapSaveDialog();

    // Asks with `proposed` as the file name (the last name when empty); remembers the answer.
    std::optional<QString> run(Prompts& prompts, const QString& proposed = QString());
    const QString& lastName() const { return lastName_; }
    QString filter() const;

private:
    std::unique_ptr<FileDialogFilter> ownFilter_;
    QPointer<FileDialogFilter> filter_;
    QString lastName_;
};

}  // namespace varmelo::gui
