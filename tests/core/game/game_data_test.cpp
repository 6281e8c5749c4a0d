#include <gtest/gtest.h>

#include "core/game/game_data.h"
#include "core/io/errors.h"
#include "core/io/file_system.h"
#include "support/game_folder_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

TEST(GameFolder, IsFoundFromAnArchiveInItsModelsFolder) {
    TempDir dir;
    GameFolderBuilder()
        .text("sa/DATA/GTA.DAT", "")
        .text("vc/data/Gta_Vc.dat", "")
        .text("iii/Data/gta3.dat", "")
        .text("none/data/default.dat", "")
        .text("sa/DATA/x.img", "")
        .write(dir.path());
    const std::pair<const char*, std::optional<GameKind>> cases[] = {
        {"sa/MODELS/gta3.img", GameKind::Sa}, {"vc/Models/gta3.img", GameKind::Vc},
        {"iii/models/a.img", GameKind::Iii},  {"none/models/gta3.img", std::nullopt},
        {"sa/DATA/x.img", std::nullopt},
    };
    for (const auto& [archive, kind] : cases) {
        const auto found = gameFolderOfArchive(dir.file(archive));
        ASSERT_EQ(found.has_value(), kind.has_value()) << archive;
        if (!found) continue;
        EXPECT_EQ(found->kind, *kind) << archive;
        EXPECT_EQ(found->path, folderOf(folderOf(dir.file(archive))));
    }
    EXPECT_EQ(gameKindOf(dir.file("vc")), GameKind::Vc);
    EXPECT_FALSE(gameKindOf(dir.file("none")));
}

TEST(GameData, ReadsEverythingTheDatFilesName) {
    TempDir dir;
    GameFolderBuilder::sanAndreas().write(dir.path());
    const GameData g = readGameData(dir.path());
    EXPECT_EQ(g.kind, GameKind::Sa);
    ASSERT_EQ(g.dats.size(), 2u);
    EXPECT_EQ(g.dats[0].path, "data/default.dat");
    EXPECT_EQ(g.dats[1].path, "data/gta.dat");
    ASSERT_EQ(g.ides.size(), 3u);  // DEFAULT.IDE named twice, read once
    EXPECT_EQ(g.ides[0].path, "DATA\\DEFAULT.IDE");
    EXPECT_EQ(g.ides[2].ide.count(IdeSection::Objs), 2u);
    EXPECT_EQ(g.ides[2].ide.count(IdeSection::Tobj), 1u);
    ASSERT_EQ(g.archives.size(), 3u);
    EXPECT_EQ(g.archives.at("models/gta3.img").Entries.size(), 3u);
    EXPECT_EQ(g.archives.at("models/gta_int.img").Entries.size(), 1u);
    EXPECT_EQ(g.archives.at("models/cutscene.img").Entries.size(), 2u);
    EXPECT_EQ(g.carcols.palette.size(), 3u);
    ASSERT_EQ(g.problems.size(), 1u);
    EXPECT_EQ(g.problems[0].path, "data\\maps\\missing.ide");
    EXPECT_EQ(g.problems[0].error, kFileNotFound);
}

TEST(GameData, ListsUnreadableFilesAndReadsTheRest) {
    TempDir dir;
    GameFolderBuilder()
        .text("data/gta3.dat", "IMG models\\broken.img\nIDE data\\a.ide\n")
        .text("models/broken.img", "not an archive")
        .text("data/a.ide", "objs\n1 a a\nend\n")
        .write(dir.path());
    const GameData g = readGameData(dir.path());
    EXPECT_EQ(g.kind, GameKind::Iii);
    ASSERT_EQ(g.ides.size(), 1u);
    std::vector<std::string> unread;
    for (const GameFileProblem& p : g.problems) unread.push_back(p.path + ": " + p.error);
    EXPECT_EQ(unread, (std::vector<std::string>{"data/default.dat: File not found", "models/gta3.img: File not found",
                                                "models\\broken.img: File not found", "data/carcols.dat: File not found"}));
    EXPECT_THROW(readGameData(dir.file("data")), UsageError);
}

}  // namespace
