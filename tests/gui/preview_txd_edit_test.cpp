// Editing a texture dictionary on its page inside the window: a change, its undo and redo,
// saving into the archive, leaving with unsaved changes, refusals and read-only archives.
#include <QAbstractItemView>
#include <QAction>
#include <QtTest>

#include "core/archive/img_editor.h"
#include "core/texture/bmp_writer.h"
#include "gui/app/command_actions.h"
#include "gui/app/main_window.h"
#include "gui/browser/archive_browser.h"
#include "gui/preview/texture/txd_page.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"
#include "support/img_builder.h"
#include "support/read_only.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;
using Answer = Prompts::Answer;

namespace {

// One DXT1 texture "road", 64 x 64, beside an entry of another kind.
std::string writeArchive(const TempDir& dir) {
    TxdBuilder b;
    b.add(TxdTexture::d3d9("road", TexFormat::Dxt1, 64, 64, repeatBlock(dxtColourBlock(0xF800, 0xF800, 0u), 256)));
    const std::string path = dir.file("a.img");
    ImgBuilder().add("road.txd", b.build()).add("notes.dat", std::string(100, 'n')).writeV2(path);
    return path;
}

QString writePicture(const TempDir& dir, const std::string& name, int side) {
    Image img(side, side);
    for (size_t i = 0; i < img.bgra.size(); ++i) img.bgra[i] = uint8_t(i * 7);
    WriteBmp(dir.file(name), img, BmpDepth::Rgb24);
    return QString::fromStdString(dir.file(name));
}

QStringList names(const TxdPage* page) {
    QStringList out;
    for (const TTexRec& t : page->textures()) out << QString::fromStdString(t.Name);
    return out;
}

struct Rig {
    TempDir dir;
    std::string archive = writeArchive(dir);
    testing::MemorySettings settings;
    testing::ScriptedPrompts prompts;
    MainWindow window{settings, prompts, {}};
    TxdPage* page = window.findChild<TxdPage*>();

    Rig() {
        window.browser().load(QString::fromStdString(archive), LoadOrigin::OpenDialog);
        window.browser().selectEntry(0);
        page->setOptionsChooser([](bool) { return EncodeOptions{TargetFormat::B8888, MipmapMode::None, false}; });
    }
    // The address and size cells of the entry's row.
    QStringList rowOf(const std::string& name) const {
        const Archive& a = window.browser().archive();
        const long e = findEntryByName(a, name);
        auto* model = static_cast<QAbstractItemView*>(window.browser().listWidget())->model();
        for (int row = 0; row < model->rowCount(); ++row)
            if (long(a.RowMap[size_t(row)]) == e)
                return {model->index(row, 2).data().toString(), model->index(row, 3).data().toString()};
        return {};
    }
    int selectedEntry() const {
        auto* view = static_cast<QAbstractItemView*>(window.browser().listWidget());
        const QModelIndexList rows = view->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : int(window.browser().archive().RowMap[size_t(rows.first().row())]);
    }
    void run(const char* command) { window.commands()[QString::fromLatin1(command)]->trigger(); }
    // Adds grass.bmp as a texture: an unsaved change.
    void addGrass() {
        prompts.fileLists = {{writePicture(dir, "grass.bmp", 16)}};
        run("CtxTxdAdd");
    }
};

}  // namespace

class PreviewTxdEditTest : public QObject {
    Q_OBJECT
private slots:
    void addUndoRedoThenSaveIntoTheArchive();
    void leavingWithChangesAsks_data();
    void leavingWithChangesAsks();
    void refusedNameChangesNothing();
    void readOnlyArchiveHasNoEditing();
};

void PreviewTxdEditTest::addUndoRedoThenSaveIntoTheArchive() {
    Rig r;
    QCOMPARE(names(r.page), QStringList{"road"});
    QVERIFY(!r.window.commands()["CtxTxdSave"]->isEnabled());
    r.addGrass();
    QCOMPARE(names(r.page), (QStringList{"road", "grass"}));
    QCOMPARE(r.page->currentRow(), 1);
    r.run("CtxTxdUndo");
    QCOMPARE(names(r.page), QStringList{"road"});
    QVERIFY(!r.page->modified());
    r.run("CtxTxdRedo");
    QCOMPARE(names(r.page), (QStringList{"road", "grass"}));
    r.run("CtxTxdSave");
    QCOMPARE(r.prompts.errors(), QStringList());
    QVERIFY(!r.page->modified());
    // The list shows the entry where and as large as the archive now has it.
    const QStringList shown = r.rowOf("road.txd");
    r.window.browser().load(QString::fromStdString(r.archive), LoadOrigin::OpenDialog);
    QCOMPARE(r.rowOf("road.txd"), shown);
    r.window.browser().selectEntry(uint32_t(findEntryByName(r.window.browser().archive(), "road.txd")));
    QCOMPARE(names(r.page), (QStringList{"road", "grass"}));
    const TTexRec& grass = r.page->textures()[1];
    QCOMPARE(grass.Format, TexFormat::B8888);
    QCOMPARE(int(grass.Width), 16);
    QCOMPARE(int(grass.MipLevels), 1);
    QCOMPARE(r.prompts.count("yesnocancel"), 0);
}

void PreviewTxdEditTest::leavingWithChangesAsks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stays");
    QTest::addColumn<QStringList>("inArchive");
    QTest::newRow("yes saves") << int(Answer::Yes) << false << QStringList{"road", "grass"};
    QTest::newRow("no drops") << int(Answer::No) << false << QStringList{"road"};
    QTest::newRow("cancel stays") << int(Answer::Cancel) << true << QStringList{"road"};
}

void PreviewTxdEditTest::leavingWithChangesAsks() {
    QFETCH(int, answer);
    QFETCH(bool, stays);
    QFETCH(QStringList, inArchive);
    Rig r;
    r.addGrass();
    r.prompts.answers = {Answer(answer)};
    r.window.browser().selectEntry(uint32_t(findEntryByName(r.window.browser().archive(), "notes.dat")));
    QCOMPARE(r.prompts.count("yesnocancel"), 1);
    QCOMPARE(r.prompts.asked.last().text, QString("Сохранить изменения в словаре текстур road.txd?"));
    QCOMPARE(r.page->modified(), stays);
    // Staying takes the list back to the dictionary, its changes still there.
    QTest::qWait(0);
    const long road = findEntryByName(r.window.browser().archive(), "road.txd");
    QCOMPARE(r.selectedEntry() == road, stays);
    if (stays) QCOMPARE(names(r.page), (QStringList{"road", "grass"}));
    // Closing the window asks the same while changes are left; cancelled, it stays open.
    r.prompts.answers = {Answer::Cancel};
    r.window.show();
    QCOMPARE(r.window.close(), !stays);
    QCOMPARE(r.prompts.count("yesnocancel"), stays ? 2 : 1);

    r.prompts.answers = {Answer::No};
    r.window.browser().load(QString::fromStdString(r.archive), LoadOrigin::OpenDialog);
    r.window.browser().selectEntry(uint32_t(findEntryByName(r.window.browser().archive(), "road.txd")));
    QCOMPARE(names(r.page), inArchive);
}

void PreviewTxdEditTest::refusedNameChangesNothing() {
    Rig r;
    const QString tooLong(32, QLatin1Char('a'));
    r.prompts.texts = {tooLong};
    r.run("CtxTxdRename");
    QCOMPARE(r.prompts.count("error"), 1);
    QVERIFY(r.prompts.errors().first().contains("31"));
    QCOMPARE(names(r.page), QStringList{"road"});
    QVERIFY(!r.page->modified());
    QVERIFY(!r.window.commands()["CtxTxdUndo"]->isEnabled());
}

void PreviewTxdEditTest::readOnlyArchiveHasNoEditing() {
    TempDir dir;
    const std::string path = writeArchive(dir);
    ReadOnlyFile lock(path);
    if (!lock.effective()) QSKIP("this user may write any file");
    testing::MemorySettings settings;
    testing::ScriptedPrompts prompts;
    MainWindow w(settings, prompts, {});
    w.browser().load(QString::fromStdString(path), LoadOrigin::OpenDialog);
    w.browser().selectEntry(0);
    for (const char* name : {"CtxTxdAdd", "CtxTxdReplace", "CtxTxdDelete", "CtxTxdRename", "CtxTxdFormat",
                             "CtxTxdImport", "CtxTxdSave"})
        QVERIFY2(!w.commands()[QString::fromLatin1(name)]->isEnabled(), name);
    QVERIFY(w.commands()["CtxTxdSaveAs"]->isEnabled());
}

QTEST_MAIN(PreviewTxdEditTest)
#include "preview_txd_edit_test.moc"
