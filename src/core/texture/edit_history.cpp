#include "core/texture/edit_history.h"

namespace varmelo {

void EditHistory::start(TextureDictionary d) {
    current_ = std::move(d);
    undo_.clear();
    redo_.clear();
}

void EditHistory::clear() {
    current_.reset();
    undo_.clear();
    redo_.clear();
}

void EditHistory::apply(const std::vector<TextureEdit>& edits, size_t* failed) {
    if (!current_ || edits.empty()) return;
    TextureDictionary next = *current_;
    for (size_t k = 0; k < edits.size(); ++k) {
        if (failed) *failed = k;
        applyEdit(next, edits[k]);
    }
    undo_.push_back(std::move(*current_));
    current_ = std::move(next);
    redo_.clear();
}

void EditHistory::undo() {
    if (!current_ || undo_.empty()) return;
    redo_.push_back(std::move(*current_));
    current_ = std::move(undo_.back());
    undo_.pop_back();
}

void EditHistory::redo() {
    if (!current_ || redo_.empty()) return;
    undo_.push_back(std::move(*current_));
    current_ = std::move(redo_.back());
    redo_.pop_back();
}

}  // namespace varmelo
