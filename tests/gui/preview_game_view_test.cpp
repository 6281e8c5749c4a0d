// The model page's game look without GL: the dictionary of the same name found in the open
// archive, the rows and meshes it gives (wheel copies, damaged and far-away parts hidden, one
// range per material), the textures not found on the status bar, another dictionary chosen
// for one model, the silver look back when it is switched off, the setting kept across
// starts of the program, and a car shown from the game folder picked for it.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "core/view/mesh_vertices.h"
#include "core/view/part_mesh.h"
#include "core/settings/messages.h"
#include "gui/app/command_actions.h"
#include "gui/app/core_app_settings.h"
#include "gui/app/main_window.h"
#include "gui/browser/archive_browser.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/model/model_camera.h"
#include "gui/preview/preview_host.h"
#include "gui/preview/preview_panel.h"
#include "gui/scene/scene.h"
#include "gui/support/memory_settings.h"
#include "gui/support/scripted_prompts.h"
#include "support/demo_vehicle.h"
#include "support/dff_builder.h"
#include "support/game_folder_builder.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"
#include "support/txd_builder.h"

using namespace varmelo;
using namespace varmelo::gui;
using namespace testing_support;

namespace {

// The entries of a pretend archive, laid one after another in one file.
class FakeHost : public PreviewHost {
public:
    std::string path;
    std::vector<std::string> names;
    std::vector<EntryPlace> places;
    uint64_t serial = 1;
    QStringList statuses;
    bool gameViewValue = false;
    int gameViewWrites = 0;

    void lay(const std::string& file, const std::vector<std::pair<std::string, Bytes>>& entries) {
        path = file;
        Bytes all;
        names.clear();
        places.clear();
        for (const auto& [name, bytes] : entries) {
            names.push_back(name);
            places.push_back({file, all.size(), bytes.size()});
            all.insert(all.end(), bytes.begin(), bytes.end());
        }
        writeFile(file, all);
        ++serial;
    }
    EntryPlace of(const std::string& name) const {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return places[i];
        return {};
    }

    std::vector<std::string> entryNames() const override { return names; }
    EntryPlace entryPlace(size_t index) const override { return places.at(index); }
    uint64_t archiveSerial() const override { return serial; }
    void showStatus(const QString& text) override { statuses << text; }
    bool gameView() const override { return gameViewValue; }
    void setGameView(bool on) override {
        gameViewValue = on;
        ++gameViewWrites;
    }
};

Bytes solidTexture(const std::string& name, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> texels;
    for (int i = 0; i < 16; ++i) texels.insert(texels.end(), {b, g, r, 255});
    return TxdBuilder().add(TxdTexture::d3d9(name, TexFormat::B8888, 4, 4, texels)).build();
}

// One box, its material naming `texture`.
Bytes texturedBox(const std::string& texture) {
    DffBuilder b;
    DffGeometryPlan box = texturedBoxGeometry({-1, -1, -1}, {1, 1, 1}, {0, 0, 0, 0, 0, 0});
    DffMaterialPlan m;
    m.colour = {255, 255, 255, 255};
    m.texture = texture;
    box.materials = {m};
    b.atomic(b.frame("box"), b.geometry(box));
    return b.build();
}

QStringList captions(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

int rowOf(QListWidget* list, const QString& caption) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == caption) return i;
    return -1;
}

}  // namespace

class PreviewGameViewTest : public QObject {
    Q_OBJECT

    TempDir dir;
    MessageTable messages;
    testing::ScriptedPrompts prompts;
    FakeHost host;

    std::unique_ptr<DffPage> makePage() {
        auto page = std::make_unique<DffPage>(messages, prompts, std::make_shared<ModelCameraDriver>(), &host);
        page->setShowPage([](PreviewPage) {});
        return page;
    }
    void show(DffPage& page, const std::string& name) {
        const PreviewHost::EntryPlace at = host.of(name);
        page.preview(at.archivePath, at.offset, at.size, name);
    }
    void layVehicle() {
        host.lay(dir.file("cars.img"), {{"readme.txt", Bytes(100, 'x')},
                                        {"INFERNUS.TXD", demoVehicleTextures()},
                                        {"infernus.dff", demoVehicle()}});
    }

private slots:
    void init() {
        host = FakeHost();
        prompts.asked.clear();
        prompts.items.clear();
    }

    void gameViewTexturesEveryWheelAndHidesDamagedParts() {
        layVehicle();
        host.gameViewValue = true;
        auto page = makePage();
        QVERIFY(page->gameView());
        QVERIFY(page->gameViewItem()->isChecked());
        show(*page, "infernus.dff");

        QCOMPARE(page->dictionaryName(), std::string("INFERNUS.TXD"));
        QVERIFY(page->textures().missing.empty());
        QCOMPARE(page->textures().found.size(), size_t(3));
        QCOMPARE(captions(page->list()), (QStringList{"chassis", "bonnet_hi_ok", "bonnet_hi_dam", "chassis_vlo", "wheel"}));
        for (int i = 0; i < page->list()->count(); ++i) {
            const QString caption = page->list()->item(i)->text();
            const bool hidden = caption.endsWith("_dam") || caption.endsWith("_vlo");
            QCOMPARE(page->list()->item(i)->checkState(), hidden ? Qt::Unchecked : Qt::Checked);
            for (scene::Mesh* m : page->rowMeshes(i)) QCOMPARE(m->visible(), !hidden);
        }
        // The one stored wheel is drawn on all four dummies.
        const int wheel = rowOf(page->list(), "wheel");
        QCOMPARE(page->rowMeshes(wheel).size(), size_t(4));
        // The body: paint and lights, both textured from the dictionary, opaque.
        scene::Mesh* body = page->partMesh(0);
        QCOMPARE(body->ranges().size(), size_t(2));
        for (const scene::MeshRange& r : body->ranges()) {
            QVERIFY(r.texture);
            QVERIFY(!r.blended);
        }
        QCOMPARE(body->texCoords().size(), size_t(body->vertexCount()) * 2);
        // The wheel's rim is textured, its rubber plain.
        scene::Mesh* rim = page->partMesh(wheel);
        QCOMPARE(rim->ranges().size(), size_t(2));
        QVERIFY(rim->ranges()[0].texture && !rim->ranges()[1].texture);
        // Every copy shares the one texture object, so a view uploads it once.
        for (scene::Mesh* m : page->rowMeshes(wheel)) QCOMPARE(m->ranges()[0].texture, rim->ranges()[0].texture);
        // Nothing missing: the status bar is left alone.
        QVERIFY(host.statuses.isEmpty());

        // The selected row is tinted, every copy of the wheel with it.
        page->list()->setCurrentRow(wheel);
        for (scene::Mesh* m : page->rowMeshes(wheel)) {
            QVERIFY(m->hasFillColour());
            const scene::Rgba fill = m->fillRgba();
            QVERIFY(std::abs(fill[0] - kSelectedTint.r) < 1e-3f && std::abs(fill[1] - kSelectedTint.g) < 1e-3f &&
                    std::abs(fill[2] - kSelectedTint.b) < 1e-3f && fill[3] == 1.0f);
        }
        QVERIFY(!body->hasFillColour());
        // Unchecking the wheel hides every copy.
        page->list()->item(wheel)->setCheckState(Qt::Unchecked);
        for (scene::Mesh* m : page->rowMeshes(wheel)) QVERIFY(!m->visible());
    }

    // One optional part at a time, the one picked; "Ночь" swaps the day prelight for the night's.
    void anExtraIsPickedAndTheNightColoursShown() {
        DffBuilder b;
        const int root = b.frame("car");
        DffGeometryPlan box = boxGeometry({0, 0, 0}, {1, 1, 1}, false);
        box.flags |= kGeometryColours;
        box.colours.assign(8, {255, 255, 255, 255});
        box.nightColours.assign(8, {51, 51, 102, 255});
        for (const char* name : {"chassis", "extra1", "extra2"})
            b.atomic(b.frame({name, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {}, root}), b.geometry(box));
        host.lay(dir.file("extras.img"), {{"car.dff", b.build()}});
        host.gameViewValue = true;
        auto page = makePage();
        show(*page, "car.dff");
        // Each row's check and its mesh's visibility, which must agree.
        const auto shown = [&] {
            QStringList rows;
            for (int i = 0; i < 3; ++i) {
                const bool checked = page->list()->item(i)->checkState() == Qt::Checked;
                rows << (checked != page->partMesh(i)->visible() ? "mismatch" : checked ? "on" : "off");
            }
            return rows;
        };
        QCOMPARE(shown(), (QStringList{"on", "on", "off"}));
        prompts.items = {1};
        page->extraItem()->trigger();
        QCOMPARE(prompts.lastItems, (QStringList{"extra1", "extra2"}));
        QCOMPARE(shown(), (QStringList{"on", "off", "on"}));

        QCOMPARE(page->partMesh(0)->tints().at(0), 1.0f);
        page->nightItem()->trigger();
        QVERIFY(page->night());
        QCOMPARE(page->partMesh(0)->tints().at(0), 0.2f);
        QCOMPARE(page->partMesh(0)->tints().at(2), 0.4f);
    }

    void switchedOffTheModelIsSilverAgain() {
        layVehicle();
        auto silver = makePage();
        show(*silver, "infernus.dff");
        QVERIFY(!silver->gameView());

        auto page = makePage();
        page->setGameView(true);
        QCOMPARE(host.gameViewValue, true);
        show(*page, "infernus.dff");
        page->list()->setCurrentRow(1);
        page->gameViewItem()->trigger();  // off, through the menu
        QVERIFY(!page->gameView());
        QCOMPARE(host.gameViewValue, false);
        QCOMPARE(host.gameViewWrites, 2);

        // Every row checked again, one silver mesh each, exactly as a page never switched.
        QCOMPARE(page->list()->count(), silver->list()->count());
        for (int i = 0; i < page->list()->count(); ++i) {
            QCOMPARE(page->list()->item(i)->checkState(), Qt::Checked);
            QCOMPARE(page->rowMeshes(i).size(), size_t(1));
            const scene::Mesh* a = page->partMesh(i);
            const scene::Mesh* b = silver->partMesh(i);
            QVERIFY(a->ranges().empty() && a->texCoords().empty());
            QCOMPARE(a->positions(), b->positions());
            QCOMPARE(a->normals(), b->normals());
            QCOMPARE(a->indices(), b->indices());
            QCOMPARE(a->colours(), b->colours());
            QCOMPARE(a->material().diffuse, b->material().diffuse);
            QCOMPARE(a->hasFillColour(), i == 1);
        }
        QCOMPARE(page->partMesh(1)->fillRgba(), (scene::Rgba{1, 0, 0, 1}));
        // Silver is the part's one colour, not a colour per vertex.
        QVERIFY(page->partMesh(0)->colours().empty());
        QCOMPARE(page->partMesh(0)->material().diffuse[0], kPartColour.r);
        QCOMPARE(page->partMesh(0)->material().ambient, page->partMesh(0)->material().diffuse);
    }

    void missingTexturesAreListedOnTheStatusBar() {
        // The dictionary has "paint" only; the model also names "glass" and "Chrome".
        DffBuilder b;
        DffGeometryPlan box = texturedBoxGeometry({0, 0, 0}, {1, 1, 1}, {0, 0, 1, 1, 2, 2});
        DffMaterialPlan paint, glass, chrome;
        paint.texture = "PAINT";
        glass.texture = "glass";
        chrome.texture = "Chrome";
        box.materials = {paint, glass, chrome};
        b.atomic(b.frame("body"), b.geometry(box));
        host.lay(dir.file("a.img"), {{"car.dff", b.build()}, {"car.txd", solidTexture("paint", 0, 200, 0)}});
        host.gameViewValue = true;
        auto page = makePage();
        show(*page, "car.dff");
        QCOMPARE(host.statuses, QStringList{"Нет текстур: glass, Chrome"});
        // Materials without their texture are drawn in their colour, untextured.
        const auto& ranges = page->partMesh(0)->ranges();
        QCOMPARE(ranges.size(), size_t(3));
        QVERIFY(ranges[0].texture && !ranges[1].texture && !ranges[2].texture);

        // Switched off, the list goes away.
        page->setGameView(false);
        QCOMPARE(host.statuses.last(), QString());
    }

    void anotherDictionaryIsKeptForThatModelWhileTheArchiveStaysOpen() {
        host.lay(dir.file("b.img"), {{"box.dff", texturedBox("skin")},
                                     {"other.dff", texturedBox("skin")},
                                     {"box.txd", solidTexture("skin", 255, 0, 0)},
                                     {"shared.TXD", solidTexture("skin", 0, 0, 255)},
                                     {"notes.txt", Bytes(10, 'n')}});
        host.gameViewValue = true;
        auto page = makePage();
        show(*page, "box.dff");
        QCOMPARE(page->dictionaryName(), std::string("box.txd"));

        page->menu()->aboutToShow();
        QVERIFY(page->dictionaryItem()->isEnabled());
        prompts.items = {1};
        page->dictionaryItem()->trigger();
        QCOMPARE(prompts.lastItems, (QStringList{"box.txd", "shared.TXD"}));
        QCOMPARE(prompts.lastCurrent, 0);
        QCOMPARE(page->dictionaryName(), std::string("shared.TXD"));
        const scene::TexturePtr blue = page->partMesh(0)->ranges().at(0).texture;
        QVERIFY(blue);
        QCOMPARE(int(blue->image().bgra[0]), 255);  // blue

        // Another model keeps its own; back on this one the choice holds.
        show(*page, "other.dff");
        QCOMPARE(page->dictionaryName(), std::string());
        QCOMPARE(host.statuses.last(), QString("Нет текстур: skin"));
        show(*page, "box.dff");
        QCOMPARE(page->dictionaryName(), std::string("shared.TXD"));

        // A cancelled choice changes nothing.
        page->dictionaryItem()->trigger();
        QCOMPARE(prompts.lastCurrent, 1);
        QCOMPARE(page->dictionaryName(), std::string("shared.TXD"));

        // Another archive opened: the choice is forgotten.
        ++host.serial;
        show(*page, "box.dff");
        QCOMPARE(page->dictionaryName(), std::string("box.txd"));

        // The silver look has no dictionary to choose.
        page->setGameView(false);
        page->menu()->aboutToShow();
        QVERIFY(!page->dictionaryItem()->isEnabled());
    }

    void aDictionaryThatCannotBeReadLeavesTheModelShown() {
        host.lay(dir.file("c.img"), {{"box.dff", texturedBox("skin")}, {"box.txd", solidTexture("skin", 1, 2, 3)}});
        host.places[1].archivePath = dir.file("gone.img");  // the archive went away meanwhile
        host.gameViewValue = true;
        auto page = makePage();
        bool failed = false;
        try {
            show(*page, "box.dff");
        } catch (const std::exception& e) {
            failed = QString(e.what()) == "File not found";
        }
        QVERIFY(failed);
        QVERIFY(page->partMesh(0));
        QCOMPARE(page->partMesh(0)->triangleCount(), 12);
        QCOMPARE(host.statuses.last(), QString("Нет текстур: skin"));
    }

    void theSettingSurvivesARestart() {
        QTemporaryDir root;
        qputenv("XDG_DATA_HOME", root.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
        CoreAppSettings::Places places;
        places.settings.folder = root.filePath("settings").toStdString();
        places.settings.portable = true;
        places.languageFolders = {root.filePath("lang").toStdString()};
        places.associations = associationPlaces(processEnvironment(), "/opt/varmelo/varmelo");
        places.associations.runTool = {};
        const std::string archive = dir.file("sample.img");
        ImgBuilder().add("infernus.dff", demoVehicle()).add("infernus.txd", demoVehicleTextures()).writeV2(archive);
        {
            CoreAppSettings settings(places);
            prompts.answers = {Prompts::Answer::No};
            MainWindow w(settings, prompts, {});
            auto* page = w.findChild<DffPage*>();
            QVERIFY(page && !page->gameView());
            w.browser().load(QString::fromStdString(archive), LoadOrigin::OpenDialog);
            w.previewPanel().preview(w.browser().archive(), 0);
            page->gameViewItem()->trigger();
            QVERIFY(page->gameView());
            // Found through the window's archive.
            QCOMPARE(page->dictionaryName(), std::string("infernus.txd"));
            QVERIFY(page->textures().missing.empty());
        }
        QFile options(root.filePath("settings/options.ini"));
        QVERIFY(options.open(QIODevice::ReadOnly));
        QVERIFY(options.readAll().contains("GameView=1"));

        CoreAppSettings next(places);
        MainWindow w(next, prompts, {});
        auto* page = w.findChild<DffPage*>();
        QVERIFY(page->gameView());
        QVERIFY(page->gameViewItem()->isChecked());
        w.browser().load(QString::fromStdString(archive), LoadOrigin::OpenDialog);
        w.previewPanel().preview(w.browser().archive(), 0);
        QCOMPARE(page->rowMeshes(4).size(), size_t(4));
    }

    void aCarFromThePickedGameFolderWearsItsPaintAndTheSharedTextures() {
        TempDir game;
        GameFolderBuilder::sanAndreasCar().write(game.path());
        testing::MemorySettings settings;
        settings.gameViewValue = true;
        MainWindow w(settings, prompts, {});
        // A copy of the car's archive outside the game, so the game is the one picked; the car
        // is shown before the folder is picked, and drawn again once it is.
        QVERIFY(QFile::copy(QString::fromStdString(game.file("Models/Cars.img")), QString::fromStdString(dir.file("picked.img"))));
        w.browser().load(QString::fromStdString(dir.file("picked.img")), LoadOrigin::OpenDialog);
        w.previewPanel().preview(w.browser().archive(), 0);
        auto* page = w.findChild<DffPage*>();
        QVERIFY(!page->gameLine()->isVisibleTo(page));
        // A folder without a game is refused with a word and not kept.
        prompts.files = {QString::fromStdString(dir.path()), QString::fromStdString(game.path())};
        w.commands()[QStringLiteral("ServiceGameFolder1")]->trigger();
        QCOMPARE(prompts.count("message"), 1);
        QVERIFY(settings.gameFolderValue.empty());
        w.commands()[QStringLiteral("ServiceGameFolder1")]->trigger();
        QCOMPARE(settings.gameFolderValue, game.path());

        QVERIFY(page->textures().find("VehicleGeneric256"));  // Models/Generic/VEHICLE.TXD only
        QCOMPARE(page->textures().missing, std::vector<std::string>{"nosuch"});
        QCOMPARE(page->gameLine()->text(), QString("Модель в игре: 411 (Data/Vehicles.ide), словари: infernus, vehicle"));
        QVERIFY(page->gameLine()->isVisibleTo(page));
        QVERIFY(w.statusPanel()->text().startsWith("Цвета 1 из 2: 3, 2, 1, 0; Нет текстур: nosuch"));
        // The primary placeholder (60, 255, 0) wears palette colour 3 of the set (3, 2, 1, 0),
        // and colour 0 of the second set once that is picked.
        const auto primary = [&] {
            const scene::Rgba c = page->partMesh(0)->ranges().at(0).colour.value();
            return QColor::fromRgbF(c[0], c[1], c[2]).rgb();
        };
        QCOMPARE(primary(), qRgb(132, 4, 16));
        prompts.items = {1};
        page->coloursItem()->trigger();
        QCOMPARE(prompts.lastItems, QStringList({"3, 2, 1, 0", "0, 0, 0, 0"}));
        QCOMPARE(prompts.lastIcons.size(), 2);
        QCOMPARE(primary(), qRgb(0, 0, 0));
        QVERIFY(w.statusPanel()->text().startsWith("Цвета 2 из 2: 0, 0, 0, 0"));
    }
};

QTEST_MAIN(PreviewGameViewTest)
#include "preview_game_view_test.moc"
