#pragma once
// Which page of the preview panel shows an entry, chosen by its name's extension.
#include <string>

namespace varmelo {

enum class PreviewPage : int { Default = 0, Txd = 1, Dff = 2, Ipl = 3, Col = 4, Dds = 5, Tga = 6 };

// ".DFF", ".TXD", ".IPL", ".COL", ".DDS"/".DTX", ".TGA" (any case, from the last dot);
// anything else is the default page.
PreviewPage previewPageFor(const std::string& entryName);

}  // namespace varmelo
