#pragma once
// The bitmap save dialog shared by the texture and picture previews: one dialog, so it
// remembers the name it last had across both.
#include <QString>
#include <optional>

namespace varmelo::gui {

class Prompts;

class BitmapSaveDialog {
public:
    static constexpr const char* kFilter = "Точечный рисунок (*.bmp)|*.bmp";

    // Asks with `proposed` as the file name (the last name when empty); remembers the answer.
    std::optional<QString> run(Prompts& prompts, const QString& proposed = QString());
    const QString& lastName() const { return lastName_; }

private:
    QString lastName_;
};

}  // namespace varmelo::gui
