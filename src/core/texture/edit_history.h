#pragma once
// A dictionary being edited with its way back: each step is a whole earlier dictionary, which
// costs a pointer per texture since textures share their bytes. A step of several edits (all
// the pictures of one import) goes in or fails whole.
#include <cstddef>
#include <optional>
#include <vector>

#include "core/texture/texture_edit.h"

namespace varmelo {

class EditHistory {
public:
    bool active() const { return current_.has_value(); }
    // Starts over from `d`, with nothing to undo or redo.
    void start(TextureDictionary d);
    // Forgets the dictionary and its history.
    void clear();

    // Valid while active.
    const TextureDictionary& dictionary() const { return *current_; }

    // Applies the edits in order to a copy; when all went through the copy becomes the
    // dictionary and the redo steps are gone. What an edit throws leaves everything as it was;
    // `failed`, when given, receives the index of the edit that threw.
    void apply(const std::vector<TextureEdit>& edits, size_t* failed = nullptr);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo();
    void redo();
    // Whether the dictionary differs from the one started from: some step is left to undo.
    bool modified() const { return canUndo(); }

private:
    std::optional<TextureDictionary> current_;
    std::vector<TextureDictionary> undo_;
    std::vector<TextureDictionary> redo_;
};

}  // namespace varmelo
