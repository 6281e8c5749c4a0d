#include "gui/preview/install_pages.h"

#include <memory>

#include "core/io/binary_file.h"
#include "gui/app/command_actions.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/model/col_page.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/model/ipl_page.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/page_frame.h"
#include "gui/preview/preview_host.h"
#include "gui/preview/preview_panel.h"
#include "gui/preview/texture/bitmap_save_dialog.h"
#include "gui/preview/texture/image_page.h"
#include "gui/preview/texture/image_scene.h"
#include "gui/preview/texture/txd_page.h"

namespace varmelo::gui {

namespace {

// What the pages share: the texts, the prompts, one BMP save dialog (it remembers the last
// filter), the one picture scene of the DDS and TGA pages and the one mouse driver of the
// two 3D views; all four views keep one last pointer position.
struct PageContext {
    const MessageTable& messages;
    Prompts& prompts;
    std::shared_ptr<BitmapSaveDialog> bitmapSave;
    ImageScene& scene;
    std::shared_ptr<ModelCameraDriver> cameraDriver;
    PreviewHost* host;
};

using MakePage = PreviewPageFrame* (*)(const PageContext&);

// The page of each entry format the panel shows; a new page is a class on the page frame and
// a row here.
const struct {
    EntryFormat format;
    MakePage make;
} kPages[] = {
    {EntryFormat::Txd,
     [](const PageContext& c) -> PreviewPageFrame* { return new TxdPage(c.messages, c.prompts, c.bitmapSave, c.host); }},
    {EntryFormat::Dff,
     [](const PageContext& c) -> PreviewPageFrame* {
         return new DffPage(c.messages, c.prompts, c.cameraDriver, c.host);
     }},
    {EntryFormat::Ipl, [](const PageContext& c) -> PreviewPageFrame* { return new IplPage(c.messages, c.prompts); }},
    {EntryFormat::Col,
     [](const PageContext& c) -> PreviewPageFrame* { return new ColPage(c.messages, c.prompts, c.cameraDriver); }},
    {EntryFormat::Dds,
     [](const PageContext& c) -> PreviewPageFrame* {
         return new ImagePage(EntryFormat::Dds, c.scene, c.messages, c.prompts, c.bitmapSave);
     }},
    {EntryFormat::Tga,
     [](const PageContext& c) -> PreviewPageFrame* {
         return new ImagePage(EntryFormat::Tga, c.scene, c.messages, c.prompts, c.bitmapSave);
     }},
};

}  // namespace

void installPreviewPages(PreviewPanel& panel, const MessageTable& messages, Prompts& prompts, PreviewHost* host,
                         CommandActions* commands) {
    // Each preview picks the page it shows, page 0 included, so the panel only hands them
    // the way to switch.
    auto show = [&panel](PreviewPage p) {
        if (p == PreviewPage::Default) panel.showDefaultPage();
        else if (QWidget* w = panel.page(p)) panel.setCurrentWidget(w);
    };
    auto pointer = std::make_shared<PointerPosition>();
    auto* pictures = new ImageScene(&panel);
    pictures->setPointer(pointer);
    const PageContext context{messages, prompts, std::make_shared<BitmapSaveDialog>(&panel), *pictures,
                              std::make_shared<ModelCameraDriver>(pointer), host};
    for (const auto& row : kPages) {
        PreviewPageFrame* page = row.make(context);
        page->setShowPage(show);
        panel.setPage(pageFor(row.format), page);
        // The pages read through handles of their own (the thumbnail thread needs one anyway),
        // so they take the archive's path from the dispatch's file. A user walking the list
        // with the arrow keys must not meet a dialog on every damaged row: a page that can say
        // what failed says it, and so does the status bar.
        panel.setPagePreview(pageFor(row.format), [page, host](PreviewRequest& r) {
            try {
                page->preview(r.file.path(), r.offset, r.size, r.name);
            } catch (const std::exception& e) {
                const QString text = errorText(e);
                if (!page->showFailure(text)) throw;
                if (host) host->showStatus(text);
            }
        });
        if (commands)
            for (QAction* a : page->commands()) commands->adoptPageCommand(a);
    }
}

void setModelAntialiasing(PreviewPanel& panel, bool on) {
    if (auto* dff = qobject_cast<DffPage*>(panel.page(PreviewPage::Dff))) dff->setAntialiasing(on);
    if (auto* col = qobject_cast<ColPage*>(panel.page(PreviewPage::Col))) col->setAntialiasing(on);
}

}  // namespace varmelo::gui
