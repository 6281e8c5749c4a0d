#include <gtest/gtest.h>

#include "core/game/case_path.h"
#include "support/game_folder_builder.h"
#include "support/temp_dir.h"

using namespace testing_support;

namespace {

struct Case {
    const char* relative;
    const char* found;  // nullptr: nothing
};

TEST(CasePath, ResolvesEachComponentIgnoringCase) {
    TempDir dir;
    GameFolderBuilder()
        .text("Data/Maps/LA/lae.ide", "")
        .text("Data/x", "")
        .text("Data/X", "")
        .text("models/gta3.img", "")
        .text("Models/GTA3.IMG", "")
        .write(dir.path());
    const Case cases[] = {
        {"DATA\\MAPS\\LA\\LAE.IDE", "Data/Maps/LA/lae.ide"},
        {"data/maps/la/Lae.Ide", "Data/Maps/LA/lae.ide"},
        {"\\Data\\\\.\\Maps/la", "Data/Maps/LA"},
        {"data/x", "Data/x"},  // the exact name wins over another case of it
        // A path that exists all in lower case is taken whole, one that exists as written too.
        {"MODELS\\GTA3.IMG", "models/gta3.img"},
        {"Models/GTA3.IMG", "Models/GTA3.IMG"},
        {"MODELS/gta3.IMG", "models/gta3.img"},
        {"data/Y", nullptr},
        {"data/nosuch/lae.ide", nullptr},
        {"data/../Data/x", nullptr},
        {"..\\outside", nullptr},
    };
    for (const Case& c : cases) {
        const auto got = varmelo::resolveIgnoringCase(dir.path(), c.relative);
        if (c.found) EXPECT_EQ(got, dir.path() + "/" + c.found) << c.relative;
        else EXPECT_FALSE(got) << c.relative << " -> " << *got;
    }
    EXPECT_EQ(varmelo::pathKey("\\Models\\.\\GTA3.IMG"), "models/gta3.img");
}

}  // namespace
