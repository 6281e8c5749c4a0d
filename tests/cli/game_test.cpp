#include <gtest/gtest.h>

#include "cli/json_value.h"
#include "cli/run_cli.h"
#include "support/game_folder_builder.h"
#include "support/temp_dir.h"

using namespace cli_testing;
using namespace testing_support;

namespace {

TEST(CliGame, PrintsWhatWasReadAsJson) {
    TempDir dir;
    GameFolderBuilder::sanAndreas().write(dir.path());
    const CliResult r = runCli({"game", "--json", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json j = parseJson(r.out);
    EXPECT_EQ(j["kind"].string, "sa");
    EXPECT_EQ(j["dat_files"].items.size(), 2u);
    ASSERT_EQ(j["archives"].items.size(), 3u);
    EXPECT_EQ(j["archives"][0]["path"].string, "models/cutscene.img");
    EXPECT_EQ(j["archives"][0]["entries"].number, 2);
    EXPECT_EQ(j["ide_files"][1]["records"]["cars"].number, 2);
    EXPECT_EQ(j["records"]["objs"].number, 3);
    EXPECT_EQ(j["txdp"][1]["parent"].string, "landstal");
    EXPECT_EQ(j["car_colours"]["fours"].number, 2);
    EXPECT_EQ(j["unread_files"][0]["error"].string, "File not found");
    EXPECT_EQ(j["unread_lines"].items.size(), 4u);
}

TEST(CliGame, RefusesAFolderThatIsNoGame) {
    TempDir dir;
    const CliResult r = runCli({"game", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "varmelo-cli: " + dir.path() +
                         " is not a game folder: it has no data/gta.dat, data/gta_vc.dat or data/gta3.dat\n");
}

// The game block other tools read: every member present, with the values the game gives.
TEST(CliGame, InspectOfAModelAddsWhatTheGameViewShows) {
    TempDir dir;
    GameFolderBuilder::sanAndreasCar().write(dir.path());
    const CliResult r = runCli({"inspect", "--json", "--game", dir.path(), dir.path() + "/Models/Cars.img", "infernus.dff"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json g = parseJson(r.out)["game"];
    EXPECT_EQ(g["kind"].string, "sa");
    EXPECT_EQ(g["id"].number, 411);
    EXPECT_EQ(g["ide"].string, "Data/Vehicles.ide");
    ASSERT_EQ(g["dictionaries"].items.size(), 2u);
    EXPECT_EQ(g["dictionaries"][1].string, "vehicle");
    EXPECT_EQ(g["textures"].fields.size(), 4u);
    EXPECT_EQ(g["textures"]["vehiclegeneric256"].string, "vehicle");
    EXPECT_EQ(g["textures"]["nosuch"].type, Json::Null);
    ASSERT_EQ(g["colours"].items.size(), 4u);
    EXPECT_EQ(g["colours"][0][0].number, 132);
    EXPECT_EQ(g["colourIndices"][0].number, 3);
}

}  // namespace
