#pragma once
// Puts the texture dictionary, model, placement, collision, DDS and TGA pages into the preview
// panel together with the previews that fill them.
namespace varmelo {
class MessageTable;
}

namespace varmelo::gui {

class CommandActions;
class PreviewHost;
class PreviewPanel;
class Prompts;

// The pages live as children of the panel; `messages`, `prompts` and `host` must outlive it.
// Without a host the pages know no more of the archive than the entry they show. The pages'
// commands become the window's `commands` of those names.
void installPreviewPages(PreviewPanel& panel, const MessageTable& messages, Prompts& prompts,
                         PreviewHost* host = nullptr, CommandActions* commands = nullptr);

// Both 3D views at once: on is 2x multisampling, off none.
void setModelAntialiasing(PreviewPanel& panel, bool on);

}  // namespace varmelo::gui
