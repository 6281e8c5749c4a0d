#pragma once
// The preview panel Notebook1: one page per kind of entry content, page 0 the empty page.
// Selecting an entry runs the dispatch, which hands the entry to the preview of its page.
#include <QStackedWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "gui/preview/preview_page.h"

class QLabel;

namespace varmelo {
struct Archive;
class BinaryFile;
}  // namespace varmelo

namespace varmelo::gui {

// What a page's preview gets: the archive's data file opened for reading (closed by the
// dispatch afterwards, also when the preview throws), and the entry's byte range and name.
struct PreviewRequest {
    BinaryFile& file;
    uint64_t offset;  // bytes
    uint64_t size;    // bytes
    std::string name; // raw entry name
};

using PagePreview = std::function<void(PreviewRequest&)>;

class PreviewPanel : public QStackedWidget {
    Q_OBJECT
public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    void showDefaultPage();
    QWidget* page(PreviewPage p) const { return widget(int(p)); }
    QLabel* selectFileLabel() const { return selectFile_; }

    // Puts a filled page in place of a placeholder, and the preview that fills it.
    void setPage(PreviewPage p, QWidget* page);
    void setPagePreview(PreviewPage p, PagePreview preview);

    // Shows entry `entry` of `archive` on the page its extension chooses; pages that have no
    // preview yet, and unknown extensions, show page 0. File errors propagate (FileError).
    void preview(const Archive& archive, uint32_t entry);

private:
    QLabel* selectFile_ = nullptr;
    std::array<PagePreview, kPreviewPageCount> previews_;
};

}  // namespace varmelo::gui
