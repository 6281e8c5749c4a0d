#include "core/preview/preview_page.h"

#include "core/io/codepage.h"

namespace varmelo {

PreviewPage previewPageFor(const std::string& entryName) {
    auto dot = entryName.find_last_of('.');
    std::string ext = dot == std::string::npos ? std::string() : asciiUpper(entryName.substr(dot));
    if (ext == ".DFF") return PreviewPage::Dff;
    if (ext == ".TXD") return PreviewPage::Txd;
    if (ext == ".IPL") return PreviewPage::Ipl;
    if (ext == ".COL") return PreviewPage::Col;
    if (ext == ".DDS" || ext == ".DTX") return PreviewPage::Dds;
    if (ext == ".TGA") return PreviewPage::Tga;
    return PreviewPage::Default;
}

}  // namespace varmelo
