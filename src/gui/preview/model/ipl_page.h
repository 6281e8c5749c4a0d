#pragma once
// Page 3 of the preview panel: a binary item placement file shown in its text form, to copy
// from or save as a text .ipl file. Entries that are not binary ask for the empty page.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/preview/preview_page.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class Prompts;

class IplPage : public QWidget {
    Q_OBJECT
public:
    using ShowPage = std::function<void(PreviewPage)>;
    static constexpr const char* kFilter = "Текстовый IPL (*.ipl)|*.ipl";

    IplPage(const MessageTable& messages, Prompts& prompts, QWidget* parent = nullptr);

    void setShowPage(ShowPage show) { showPage_ = std::move(show); }

    // Not "bnry": asks for page 0 and changes nothing else. Otherwise shows page 3 with the
    // text; a file cut short keeps the lines made before the cut, then throws FileError.
    void preview(const std::string& archivePath, uint64_t offset, uint64_t size, const std::string& name);

    QLabel* nameLabel() const { return name_; }
    QLabel* sizeLabel() const { return size_; }
    QPlainTextEdit* memo() const { return memo_; }
    QMenu* menu() const { return menu_; }
    QAction* copyAction() const { return copy_; }
    // The lines as the file holds them (single-byte text).
    const std::vector<std::string>& lines() const { return lines_; }

    // Enables "Копировать" by the selection, as before the menu opens.
    void prepareMenu();
    void saveAs();

private:
    const MessageTable& messages_;
    Prompts& prompts_;
    ShowPage showPage_;
    QLabel* name_ = nullptr;
    QLabel* size_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* copy_ = nullptr;
    std::vector<std::string> lines_;
};

}  // namespace varmelo::gui
