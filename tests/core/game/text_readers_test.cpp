#include <gtest/gtest.h>

#include "core/game/carcols_file.h"
#include "core/game/dat_file.h"
#include "core/game/ide_file.h"
#include "support/game_folder_builder.h"

using namespace varmelo;
using testing_support::GameFolderBuilder;

namespace {

TEST(DatFile, KeepsTheModelLinesAndCountsTheBadOnes) {
    const DatFile d = parseDat(GameFolderBuilder::sampleDat() + "colfile 3 a b.col\nIPL\nimg x.img # c\n");
    ASSERT_EQ(d.lines.size(), 6u);
    const std::pair<DatKeyword, const char*> want[] = {
        {DatKeyword::Ide, "DATA\\DEFAULT.IDE"},           {DatKeyword::Ide, "data\\Vehicles.ide"},
        {DatKeyword::TexDiction, "MODELS\\GENERIC\\VEHICLE.TXD"}, {DatKeyword::ModelFile, "MODELS\\GENERIC\\WHEELS.DFF"},
        {DatKeyword::ColFile, "a b.col"},                 {DatKeyword::Img, "x.img"},
    };
    for (size_t i = 0; i < d.lines.size(); ++i) {
        EXPECT_EQ(d.lines[i].keyword, want[i].first) << i;
        EXPECT_EQ(d.lines[i].path, want[i].second) << i;
    }
    EXPECT_EQ(d.lines[4].colLevel, 3);
    EXPECT_EQ(d.lines[1].lineNumber, 3u);
    EXPECT_EQ(d.badLines, (std::vector<uint32_t>{8, 10}));  // COLFILE without a number, IPL without a path
}

struct CarCase {
    GameKind game;
    const char* line;
    const char* rules;
    std::optional<int32_t> wheel;
    std::optional<float> front, rear;
};

TEST(IdeFile, ReadsEachGamesCarsLayout) {
    const CarCase cases[] = {
        {GameKind::Sa, "400, landstal, landstal, car, L, L, null, normal, 10, 0, 3210, 250, 0.7, 0.8, -1", "3210",
         250, 0.7f, 0.8f},
        {GameKind::Sa, "522 nrg500 nrg500 bike N N bikes motorbike 10 0 0 30 0.6", "0", {}, 0.6f, {}},
        {GameKind::Vc, "130, landstal, landstal, car, L, L, null, normal, 10, 7, 2ff0, 250, 0.77", "2ff0", 250,
         0.77f, 0.77f},
        {GameKind::Vc, "190, skimmer, skimmer, plane, S, S, null, ignore, 10, 7, 0, 189, 1", "0", {}, 1.0f, 1.0f},
        {GameKind::Iii, "90, landstal, landstal, car, L, L, normal, 10, 7, 0, 250, 0.8", "0", 250, 0.8f, 0.8f},
        {GameKind::Iii, "91, idaho, idaho, car, I, I", "", {}, {}, {}},
    };
    for (const CarCase& c : cases) {
        const IdeFile ide = parseIde(std::string("cars\n") + c.line + "\nend\n", c.game);
        ASSERT_EQ(ide.records.size(), 1u) << c.line;
        const IdeCar& car = *ide.records[0].car;
        EXPECT_EQ(car.compRules, c.rules) << c.line;
        EXPECT_EQ(car.wheelModelId, c.wheel) << c.line;
        EXPECT_EQ(car.wheelScaleFront, c.front) << c.line;
        EXPECT_EQ(car.wheelScaleRear, c.rear) << c.line;
    }
}

TEST(IdeFile, ReadsTheSectionsAndSkipsTheRest) {
    const IdeFile ide = parseIde("objs\n1, a, ta, 100, 0\nend\n" + GameFolderBuilder::sampleIde() +
                                     "peds\n7 male01 male01 CIVMALE\nx, y, z\nEND\nhier\n",
                                 GameKind::Sa);
    ASSERT_EQ(ide.records.size(), 4u);
    EXPECT_EQ(ide.records[0].model, "a");
    EXPECT_EQ(ide.records[0].txd, "ta");
    EXPECT_EQ(ide.records[1].id, 400);
    EXPECT_EQ(ide.records[1].car->type, "car");
    EXPECT_EQ(ide.records[3].section, IdeSection::Peds);
    EXPECT_EQ(ide.count(IdeSection::Cars), 2u);
    ASSERT_EQ(ide.txdParents.size(), 2u);
    EXPECT_EQ(ide.txdParents[1].txd, "vehgen");
    EXPECT_EQ(ide.txdParents[1].parent, "landstal");
    EXPECT_EQ(ide.badLines, (std::vector<uint32_t>{7, 18}));  // the path section's line is not counted
}

TEST(CarcolsFile, ReadsPaletteAndColourSets) {
    const CarcolsFile c = parseCarcols(GameFolderBuilder::sampleCarcols() + "car\nodd, 1,2,3\nend\n");
    ASSERT_EQ(c.palette.size(), 3u);
    EXPECT_EQ(c.palette[1].r, 245);
    EXPECT_EQ(c.palette[2].g, 119);
    EXPECT_EQ(c.palette[2].b, 161);
    ASSERT_EQ(c.cars.size(), 2u);
    EXPECT_EQ(c.cars[0].model, "landstal");
    EXPECT_EQ(c.cars[0].pairs, (std::vector<std::array<uint8_t, 2>>{{1, 0}, {2, 1}}));
    EXPECT_EQ(c.cars[1].fours, (std::vector<std::array<uint8_t, 4>>{{0, 1, 2, 1}, {2, 2, 1, 0}}));
    EXPECT_EQ(c.badLines, (std::vector<uint32_t>{5, 14}));  // 300 is no byte; an odd pair
}

}  // namespace
