// What the game view shows of a model: its IDE record, the dictionary chain each texture is
// taken from, and a car's paint.
#include <gtest/gtest.h>

#include "core/archive/open_entry.h"
#include "core/game/game_data.h"
#include "core/view/game_look.h"
#include "core/view/model_dictionary.h"
#include "core/view/game_view_rules.h"
#include "support/demo_vehicle.h"
#include "support/dff_builder.h"
#include "support/game_folder_builder.h"
#include "support/img_builder.h"
#include "support/read_model.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

struct GameFixture : ::testing::Test {
    void SetUp() override {
        GameFolderBuilder::sanAndreasCar().write(dir.path());
        writeFile(dir.path() + "/Mine.TXD", GameFolderBuilder::dictionary({"shared", "NoSuch"}));
        game = readGameData(dir.path());
    }
    TempDir dir;
    GameData game;
};

TEST_F(GameFixture, FindsTheRecordIgnoringCase) {
    const auto r = findModelRecord(game, "INFERNUS.dff");
    ASSERT_TRUE(r && r->car);
    EXPECT_EQ(r->id, 411);
    EXPECT_EQ(r->ide, "Data/Vehicles.ide");
    EXPECT_EQ(r->txd, "infernus");
    EXPECT_EQ(r->car->type, "car");
    EXPECT_EQ(r->car->wheelModelId, -1);
    EXPECT_EQ(r->car->wheelScaleRear, 0.75f);
    EXPECT_FALSE(findModelRecord(game, "nobody"));
}

TEST_F(GameFixture, TakesEachTextureFromTheFirstLinkOfTheChainHoldingIt) {
    struct Row {
        std::string model, chosen;
        std::vector<std::string> chain;
        std::vector<std::pair<std::string, std::string>> sources;  // "" for none
    };
    const std::vector<Row> rows = {
        {"infernus.dff", "", {"infernus", "vehicle"},
         {{"infernus92wheel32", "infernus"}, {"vehiclegeneric256", "vehicle"}, {"shared", "infernus"}, {"nosuch", ""}}},
        {"infernus.dff", "Mine.TXD", {"mine", "vehicle"},
         {{"infernus92wheel32", ""}, {"vehiclegeneric256", "vehicle"}, {"shared", "mine"}, {"nosuch", "mine"}}},
        {"prop.dff", "", {"propa", "propb", "propc"}, {{"a", "propa"}, {"b", "propb"}, {"c", "propc"}, {"nosuch", ""}}},
        {"nobody.dff", "", {}, {{"a", ""}, {"b", ""}, {"c", ""}, {"nosuch", ""}}},
    };
    const Archive& cars = game.archives.at("models/cars.img");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.model + " " + row.chosen);
        const std::string entry = row.model == "nobody.dff" ? "prop.dff" : row.model;
        uint32_t index = 0;
        while (cars.Entries[index].Name != entry) ++index;
        EntryReader model = openEntryReader(cars, cars.Entries[index]);
        const DffClump clump = ReadDffClump(model);
        std::optional<ChosenDictionary> chosen;
        if (!row.chosen.empty()) chosen = ChosenDictionary{row.chosen, openDictionaryFile(dir.path() + "/Mine.TXD")};
        const GameLook look = gameLookOf(game, clump, row.model, &cars, std::move(chosen));
        std::vector<std::string> chain;
        for (const DictionaryLink& l : look.textures.chain) {
            chain.push_back(l.name);
            EXPECT_TRUE(l.found && l.error.empty()) << l.name;
        }
        EXPECT_EQ(chain, row.chain);
        std::vector<std::pair<std::string, std::string>> sources;
        size_t supplied = 0;
        for (const TextureSource& s : look.textures.sources) {
            sources.emplace_back(s.texture, s.dictionary.value_or(""));
            supplied += s.dictionary ? 1 : 0;
        }
        EXPECT_EQ(sources, row.sources);
        EXPECT_EQ(look.textures.textures.found.size(), supplied);
    }
}

TEST_F(GameFixture, GivesACarItsFirstColourSet) {
    const DffClump none;
    const GameLook car = gameLookOf(game, none, "infernus.dff", nullptr);
    EXPECT_EQ(car.colourIndices, (std::vector<uint8_t>{3, 2, 1, 0}));
    ASSERT_EQ(car.colours.size(), 4u);
    EXPECT_EQ(car.colours[0].g, 4);
    EXPECT_EQ(carColourSets(game.carcols, GameKind::Vc, "Infernus"), (std::vector<std::vector<uint8_t>>{{1, 2}}));
    EXPECT_TRUE(gameLookOf(game, none, "prop.dff", nullptr).colourIndices.empty());
}

TEST(CarPaint, ReplacesPlaceholdersByTheSetAndLightsByWhite) {
    const std::vector<PaletteColour> paint = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    struct Row {
        GameKind kind;
        MaterialColour stored, drawn;
    };
    const std::vector<Row> rows = {
        {GameKind::Sa, {60, 255, 0, 255}, {1, 1, 1, 255}},    {GameKind::Sa, {255, 0, 175, 90}, {2, 2, 2, 90}},
        {GameKind::Sa, {0, 255, 255, 255}, {3, 3, 3, 255}},   {GameKind::Sa, {255, 0, 255, 255}, {4, 4, 4, 255}},
        {GameKind::Vc, {60, 255, 0, 255}, {1, 1, 1, 255}},    {GameKind::Vc, {0, 255, 255, 255}, {0, 255, 255, 255}},
        {GameKind::Iii, {255, 0, 175, 255}, {2, 2, 2, 255}},  {GameKind::Iii, {255, 0, 255, 7}, {255, 0, 255, 7}},
        {GameKind::Sa, {255, 175, 0, 255}, {255, 255, 255, 255}}, {GameKind::Vc, {0, 255, 200, 3}, {255, 255, 255, 3}},
        {GameKind::Iii, {185, 255, 0, 255}, {255, 255, 255, 255}}, {GameKind::Sa, {255, 60, 0, 255}, {255, 255, 255, 255}},
        {GameKind::Sa, {60, 255, 1, 255}, {60, 255, 1, 255}},
    };
    for (const Row& row : rows) {
        DffClump clump;
        clump.geometries.emplace_back().materials.push_back({row.stored, false, "", "", "", 0});
        EXPECT_EQ(paintedColours(clump, row.kind, paint)[0][0], row.drawn) << int(row.stored[0]) << " " << int(row.stored[2]);
    }
    DffClump twoColours;
    twoColours.geometries.emplace_back().materials.push_back({{0, 255, 255, 255}, false, "", "", "", 0});
    EXPECT_EQ(paintedColours(twoColours, GameKind::Sa, {{1, 1, 1}, {2, 2, 2}})[0][0], (MaterialColour{0, 255, 255, 255}));
}

}  // namespace

namespace {

using Bytes = std::vector<uint8_t>;

std::string asText(const Bytes& b) { return std::string(b.begin(), b.end()); }

// A one-box model whose frame is `frame`, its material naming `texture`.
Bytes boxModel(const std::string& frame, const std::string& texture, bool wheelDummy) {
    DffGeometryPlan g = texturedBoxGeometry({-1, -1, -1}, {1, 1, 1}, {0, 0, 0, 0, 0, 0});
    g.materials = {{{255, 255, 255, 255}, texture, "", -1, false, "", 0, false}};
    DffBuilder b;
    const int root = b.frame(frame);
    if (wheelDummy) b.frame({"wheel_rf_dummy", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 2, 0}, root});
    b.atomic(root, b.geometry(g));
    return b.build();
}

}  // namespace

// San Andreas: an upgrade wheel from <name>.dff in an archive takes the stored wheel's place;
// III: the wheel atomic of the shared wheels.dff is put on a car that has none.
TEST(WheelModel, TheWheelTheIdeLineNamesIsDrawnWithItsOwnTextures) {
    TempDir sa, iii;
    GameFolderBuilder()
        .text("data/gta.dat", "IDE DATA\\CARS.IDE\nIMG MODELS\\CARS.IMG\n")
        .text("data/cars.ide", "objs\n1080, wheel_sr6, wheels, 100, 0\nend\ncars\n"
                               "411, infernus, infernus, car, INFERNUS, INFERNUS, null, executive, 10, 0, 0, 1080, 0.7, 0.7, -1\nend\n")
        .img("models/cars.img", ImgBuilder()
                                    .add("infernus.dff", demoVehicle())
                                    .add("WHEEL_SR6.DFF", boxModel("wheel_sr6_l0", "sr6rim", false))
                                    .add("wheels.txd", GameFolderBuilder::dictionary({"sr6rim"})))
        .write(sa.path());
    GameFolderBuilder()
        .text("data/gta3.dat", "IDE DATA\\CARS.IDE\nMODELFILE MODELS\\GENERIC\\WHEELS.DFF\n")
        .text("data/cars.ide", "objs\n250, wheel_rim, generic, 1, 20, 0\nend\ncars\n"
                               "90, landstal, landstal, car, LANDSTAL, LANDSTK, normal, 10, 7, 0, 250, 0.8\nend\n")
        .text("models/generic/wheels.dff", asText(boxModel("wheel_rim_l0", "rim", false)))
        .write(iii.path());

    const GameData saGame = readGameData(sa.path());
    const DffClump car = readClump(demoVehicle());
    const GameLook look = gameLookOf(saGame, car, "infernus.dff", nullptr);
    ASSERT_TRUE(look.wheeled);
    EXPECT_EQ(look.wheelModel, "wheel_sr6");
    const std::vector<DffPart> parts = dffParts(*look.wheeled);
    ASSERT_EQ(parts.size(), dffParts(car).size());
    for (const DffPart& p : parts)
        EXPECT_EQ(p.geometry == int(car.geometries.size()), isWheelPart(*look.wheeled, p)) << p.caption;
    EXPECT_EQ(look.textures.sources.back().texture, "sr6rim");
    EXPECT_EQ(look.textures.sources.back().dictionary, "wheels");
    EXPECT_TRUE(look.textures.textures.find("sr6rim"));

    const GameData iiiGame = readGameData(iii.path());
    const DffClump bare = readClump(boxModel("landstal", "", true));
    const GameLook landstal = gameLookOf(iiiGame, bare, "landstal.dff", nullptr);
    ASSERT_TRUE(landstal.wheeled);
    const std::vector<DffPart> withWheel = dffParts(*landstal.wheeled);
    ASSERT_EQ(withWheel.size(), 2u);
    EXPECT_TRUE(isWheelPart(*landstal.wheeled, withWheel[1]));
    EXPECT_EQ(landstal.wheeled->frames[size_t(withWheel[1].frame)].parent, 1);
    EXPECT_EQ(landstal.wheels.front, 0.8f);
    // No wheel named, or one that is nowhere: the car's own.
    EXPECT_FALSE(gameLookOf(iiiGame, bare, "nobody.dff", nullptr).wheeled);
}
