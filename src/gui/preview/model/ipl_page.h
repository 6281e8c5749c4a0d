#pragma once
// Page 3 of the preview panel: a binary item placement file shown in its text form, to copy
// from or save as a text .ipl file. Entries that are not binary ask for the empty page.
#include <cstdint>
#include <string>
#include <vector>

#include "gui/preview/page_frame.h"

class QAction;
class QMenu;
class QPlainTextEdit;

namespace varmelo::gui {

class FileDialogFilter;

class IplPage : public PreviewPageFrame {
    Q_OBJECT
public:
    static constexpr const char* kFilter = "Текстовый IPL (*.ipl)|*.ipl";

    IplPage(const MessageTable& messages, Prompts& prompts, QWidget* parent = nullptr);

    // Not "bnry": asks for page 0 and changes nothing else. Otherwise shows page 3 with the
    // text; a file cut short keeps the lines made before the cut, then throws FileError.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name) override;

    QPlainTextEdit* memo() const { return memo_; }
    QMenu* menu() const { return menu_; }
    QAction* copyAction() const { return copy_; }
    // The lines as the file holds them (single-byte text).
    const std::vector<std::string>& lines() const { return lines_; }

    // Enables "Копировать" by the selection, as before the menu opens.
    void prepareMenu();
    void saveAs();

private:
    FileDialogFilter* saveDialog3_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* copy_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace varmelo::gui
