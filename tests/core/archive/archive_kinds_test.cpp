// The kind table: every kind has one row that lookups find, and what a row says about the
// directory's place is what opening an archive of that kind does.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/archive/archive_kinds.h"
#include "core/archive/open_archive.h"
#include "support/archive_builders.h"
#include "support/img_builder.h"
#include "support/temp_dir.h"

using namespace varmelo;
using namespace testing_support;

namespace {

TEST(ArchiveKinds, EveryKindHasOneRowFoundByItsValue) {
    std::set<std::string> names;
    std::set<int> kinds;
    for (const ArchiveKindInfo& row : archiveKinds()) {
        EXPECT_EQ(&kindInfo(row.kind), &row);
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_TRUE(kinds.insert(int(row.kind)).second) << row.name;
        EXPECT_NE(row.read, nullptr) << row.name;
        EXPECT_TRUE(row.recognises || !row.magic.empty()) << row.name;
        // Only kinds counted in sectors have the record layout the editor writes.
        EXPECT_TRUE(!row.editable || row.countsSectors) << row.name;
    }
    EXPECT_EQ(kinds.size(), size_t(kArchiveKindCount));
}

TEST(ArchiveKinds, OpeningFollowsTheRowsDirectoryPlace) {
    TempDir dir;
    ImgBuilder().add("a.txd", "a").writeV1(dir.file("one.img"));
    ImgBuilder().add("a.txd", "a").writeV2(dir.file("two.img"));
    BigBuilder().add("a.txd", {1, 2}).write(dir.file("h.big"));
    ZipBuilder().add("a.txd", {1, 2}).write(dir.file("p.pk4"));
    const struct Row {
        std::string file;
        TArchiveKind kind;
        std::string dirPath;
    } rows[] = {
        {"one.img", TArchiveKind::akImgV1, "one.dir"},
        {"one.dir", TArchiveKind::akImgV1, "one.dir"},  // choosing the .dir opens the pair
        {"two.img", TArchiveKind::akImgV2, "two.img"},
        {"h.big", TArchiveKind::akBig, "h.big"},
        {"p.pk4", TArchiveKind::akPk4, "p.dir"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        Archive a = openArchive(dir.file(r.file));
        EXPECT_EQ(a.ArchiveKind, r.kind);
        EXPECT_EQ(a.DirPath, dir.file(r.dirPath));
        ASSERT_EQ(a.Entries.size(), 1u);
        EXPECT_EQ(a.Entries[0].Name, "a.txd");
    }
}

}  // namespace
