// "Экспорт модели..." on the model page: the save dialog, the name it completes, the file it
// writes with the textures of the archive's dictionary, and what it says is missing.
#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QtTest>

#include "core/archive/open_archive.h"
#include "core/settings/messages.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/model/model_camera.h"
#include "gui/support/scripted_prompts.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/textured_model.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

namespace {

// The number of pictures a .glb holds, read from its JSON chunk.
int pictures(const Bytes& glb) {
    const QByteArray json(reinterpret_cast<const char*>(glb.data()) + 20, int(glb[12] | glb[13] << 8 | glb[14] << 16));
    return int(QJsonDocument::fromJson(json).object().value("images").toArray().size());
}

}  // namespace

class PreviewModelExportTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;

    // The page showing car.dff of an archive that holds `dictionaryName` as well.
    std::unique_ptr<DffPage> pageWith(const std::string& dictionaryName) {
        const std::string img = dir.file("cars.img");
        ImgBuilder().add("car.dff", texturedModel()).add(dictionaryName, texturedModelDictionary()).writeV2(img);
        const Archive a = openArchive(img);
        auto page = std::make_unique<DffPage>(messages, prompts, std::make_shared<ModelCameraDriver>());
        page->setShowPage([](PreviewPage) {});
        page->preview(img, a.byteOffset(0), a.byteSize(0), "car.dff");
        return page;
    }
    static QAction* exportItem(DffPage& page) { return page.menu()->findChild<QAction*>("CtxExportModel"); }

private slots:
    void init() {
        prompts.asked.clear();
        prompts.files.clear();
        prompts.saveFilterIndexes.clear();
    }

    void exportsWithTheSameNamedDictionaryAndCompletesTheName() {
        auto page = pageWith("CAR.TXD");
        QAction* item = exportItem(*page);
        QVERIFY(item);
        QCOMPARE(item->text(), QString("Экспорт модели..."));
        QVERIFY(page->menu()->actions().contains(item));

        struct Row {
            QString chosen;
            int filter;
            QString written;
            bool binary;
        };
        const Row rows[] = {
            {QString::fromStdString(dir.file("one")), 1, QString::fromStdString(dir.file("one.glb")), true},
            {QString::fromStdString(dir.file("two")), 2, QString::fromStdString(dir.file("two.gltf")), false},
            {QString::fromStdString(dir.file("three.glb")), 2, QString::fromStdString(dir.file("three.glb")), true},
            {QString::fromStdString(dir.file("four.gltf")), 1, QString::fromStdString(dir.file("four.gltf")), false},
        };
        for (const Row& r : rows) {
            prompts.asked.clear();
            prompts.files.push_back(r.chosen);
            prompts.saveFilterIndexes.push_back(r.filter);
            item->trigger();
            QCOMPARE(prompts.asked.size(), 2);
            QCOMPARE(prompts.asked[0].kind, QString("save"));
            QCOMPARE(prompts.asked[0].text, QString(DffPage::kExportFilter));
            QCOMPARE(prompts.asked[0].caption, QString("car.glb"));
            // Only the texture the dictionary lacks is named.
            QCOMPARE(prompts.asked[1].kind, QString("message"));
            QCOMPARE(prompts.asked[1].text, QString("Нет текстур: missing"));
            const Bytes file = readFile(r.written.toStdString());
            QCOMPARE(file.size() > 20 && std::string(file.begin(), file.begin() + 4) == "glTF", r.binary);
            if (r.binary) QCOMPARE(pictures(file), 3);
        }
    }

    void withoutADictionaryExportsUntexturedAndCancelWritesNothing() {
        auto page = pageWith("other.txd");
        prompts.files.push_back(std::nullopt);
        exportItem(*page)->trigger();
        QCOMPARE(prompts.count("save"), 1);
        QCOMPARE(prompts.asked.size(), 1);

        prompts.files.push_back(QString::fromStdString(dir.file("plain")));
        exportItem(*page)->trigger();
        QCOMPARE(pictures(readFile(dir.file("plain.glb"))), 0);
        QCOMPARE(prompts.asked.last().text, QString("Нет текстур: body, Glass, grille, missing"));
        QVERIFY(prompts.errors().isEmpty());
    }

    void aFailedWriteIsShownAsAnError() {
        auto page = pageWith("car.txd");
        prompts.files.push_back(QString::fromStdString(dir.file("no/such/folder/x.glb")));
        exportItem(*page)->trigger();
        QCOMPARE(prompts.errors().size(), 1);
    }
};

QTEST_MAIN(PreviewModelExportTest)
#include "preview_model_export_test.moc"
