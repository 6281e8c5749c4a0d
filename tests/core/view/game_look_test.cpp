// What the game view shows of a model: its IDE record, the dictionary chain each texture is
// taken from, and a car's paint.
#include <gtest/gtest.h>

#include "core/archive/open_entry.h"
#include "core/game/game_data.h"
#include "core/view/game_look.h"
#include "core/view/model_dictionary.h"
#include "support/game_folder_builder.h"
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
        clump.geometries.emplace_back().materials.push_back({row.stored, false, "", ""});
        EXPECT_EQ(paintedColours(clump, row.kind, paint)[0][0], row.drawn) << int(row.stored[0]) << " " << int(row.stored[2]);
    }
    DffClump twoColours;
    twoColours.geometries.emplace_back().materials.push_back({{0, 255, 255, 255}, false, "", ""});
    EXPECT_EQ(paintedColours(twoColours, GameKind::Sa, {{1, 1, 1}, {2, 2, 2}})[0][0], (MaterialColour{0, 255, 255, 255}));
}

}  // namespace
