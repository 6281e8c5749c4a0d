// The preview pages in the real panel: each entry of an archive reaches its page, and the
// pages switch the panel themselves (page 0 for a text placement file, the previous page
// for a picture the loader refuses).
#include <QtTest>

#include "core/archive/open_archive.h"
#include "core/io/errors.h"
#include "core/settings/messages.h"
#include "gui/preview/install_pages.h"
#include "gui/preview/preview_panel.h"
#include "gui/preview/texture/txd_page.h"
#include "gui/support/scripted_prompts.h"
#include "support/dds_builder.h"
#include "support/img_builder.h"
#include "support/ipl_builder.h"
#include "support/temp_dir.h"
#include "support/tga_builder.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

class PreviewInstallTest : public QObject {
    Q_OBJECT

private slots:
    void entriesReachTheirPages() {
        TempDir dir;
        TgaFile cmap;
        cmap.colourMapType = 1;
        cmap.width = cmap.height = 2;
        cmap.bgra = Bytes(16, 0);
        const std::string img = dir.file("a.img");
        ImgBuilder()
            .add("vehicle.txd", demoDictionary())
            .add("sky.dds", buildDds(DdsFile::argb32(4, 2, Bytes(32, 0x80))))
            .add("props.ipl", IplBuilder().build())
            .add("text.ipl", std::string("inst\nend\n"))
            .add("bad.tga", buildTga(cmap))
            .add("readme.txt", std::string("x"))
            .writeV2(img);
        const Archive a = openArchive(img);
        MessageTable messages;
        testing::ScriptedPrompts prompts;
        PreviewPanel panel;
        installPreviewPages(panel, messages, prompts);

        panel.preview(a, 0);
        QCOMPARE(panel.currentIndex(), int(PreviewPage::Txd));
        auto* txd = qobject_cast<TxdPage*>(panel.page(PreviewPage::Txd));
        QVERIFY(txd);
        QCOMPARE(int(txd->textures().size()), 12);
        panel.preview(a, 1);
        QCOMPARE(panel.currentIndex(), int(PreviewPage::Dds));
        panel.preview(a, 2);
        QCOMPARE(panel.currentIndex(), int(PreviewPage::Ipl));
        panel.preview(a, 3);
        QCOMPARE(panel.currentIndex(), int(PreviewPage::Default));
        panel.preview(a, 1);
        QVERIFY_THROWS_EXCEPTION(FormatError, panel.preview(a, 4));
        QCOMPARE(panel.currentIndex(), int(PreviewPage::Dds));
        panel.preview(a, 5);
        QCOMPARE(panel.currentIndex(), int(PreviewPage::Default));
    }
};

QTEST_MAIN(PreviewInstallTest)
#include "preview_install_test.moc"
