#pragma once
// Puts the texture dictionary, placement, DDS and TGA pages into the preview panel together
// with the previews that fill them.
namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class PreviewPanel;
class Prompts;

// The pages live as children of the panel; `messages` and `prompts` must outlive it.
void installPreviewPages(PreviewPanel& panel, const MessageTable& messages, Prompts& prompts);

}  // namespace varmelo::gui
