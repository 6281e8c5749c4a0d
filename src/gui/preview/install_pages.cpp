#include "gui/preview/install_pages.h"

#include <memory>

#include "core/io/binary_file.h"
#include "gui/preview/model/ipl_page.h"
#include "gui/preview/preview_panel.h"
#include "gui/preview/texture/bitmap_save_dialog.h"
#include "gui/preview/texture/image_page.h"
#include "gui/preview/texture/image_scene.h"
#include "gui/preview/texture/txd_page.h"

namespace varmelo::gui {

void installPreviewPages(PreviewPanel& panel, const MessageTable& messages, Prompts& prompts) {
    // Each preview picks the page it shows, page 0 included, so the panel only hands them
    // the way to switch.
    auto show = [&panel](PreviewPage p) {
        if (p == PreviewPage::Default) panel.showDefaultPage();
        else if (QWidget* w = panel.page(p)) panel.setCurrentWidget(w);
    };
    auto saveDialog = std::make_shared<BitmapSaveDialog>();
    auto* scene = new ImageScene(&panel);

    auto* txd = new TxdPage(messages, prompts, saveDialog);
    auto* ipl = new IplPage(messages, prompts);
    auto* dds = new ImagePage(PreviewPage::Dds, *scene, messages, prompts, saveDialog);
    auto* tga = new ImagePage(PreviewPage::Tga, *scene, messages, prompts, saveDialog);
    txd->setShowPage(show);
    ipl->setShowPage(show);
    dds->setShowPage(show);
    tga->setShowPage(show);
    panel.setPage(PreviewPage::Txd, txd);
    panel.setPage(PreviewPage::Ipl, ipl);
    panel.setPage(PreviewPage::Dds, dds);
    panel.setPage(PreviewPage::Tga, tga);

    // The pages read through handles of their own (the thumbnail thread needs one anyway),
    // so they take the archive's path from the dispatch's file.
    panel.setPagePreview(PreviewPage::Txd, [txd](PreviewRequest& r) {
        txd->preview(r.file.path(), r.offset, r.size, r.name);
    });
    panel.setPagePreview(PreviewPage::Ipl, [ipl](PreviewRequest& r) {
        ipl->preview(r.file.path(), r.offset, r.size, r.name);
    });
    panel.setPagePreview(PreviewPage::Dds, [dds](PreviewRequest& r) {
        dds->preview(r.file.path(), r.offset, r.size, r.name);
    });
    panel.setPagePreview(PreviewPage::Tga, [tga](PreviewRequest& r) {
        tga->preview(r.file.path(), r.offset, r.size, r.name);
    });
}

}  // namespace varmelo::gui
