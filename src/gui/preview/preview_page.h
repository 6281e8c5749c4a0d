#pragma once
// The preview panel's pages: page 0 shows nothing, every other one shows the entries of one
// entry format.
#include "core/preview/entry_format.h"

namespace varmelo::gui {

enum class PreviewPage : int { Default = 0, Txd = 1, Dff = 2, Ipl = 3, Col = 4, Dds = 5, Tga = 6 };
inline constexpr int kPreviewPageCount = 7;

// The page that shows a format's entries; page 0 for a format no page shows.
constexpr PreviewPage pageFor(EntryFormat f) {
    switch (f) {
    case EntryFormat::Txd: return PreviewPage::Txd;
    case EntryFormat::Dff: return PreviewPage::Dff;
    case EntryFormat::Ipl: return PreviewPage::Ipl;
    case EntryFormat::Col: return PreviewPage::Col;
    case EntryFormat::Dds: return PreviewPage::Dds;
    case EntryFormat::Tga: return PreviewPage::Tga;
    case EntryFormat::Unknown: break;
    }
    return PreviewPage::Default;
}

}  // namespace varmelo::gui
