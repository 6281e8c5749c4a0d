// The entry format table: one row per format, found by its value and by its extensions.
#include <gtest/gtest.h>

#include <set>

#include "core/preview/entry_format.h"

using namespace varmelo;

namespace {

TEST(EntryFormats, RowsAreFoundByValueAndByEachOfTheirExtensions) {
    std::set<std::string_view> extensions, names;
    for (const EntryFormatInfo& row : entryFormats()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_EQ(&formatInfo(row.format), &row);
        EXPECT_TRUE(names.insert(row.name).second);
        // A picture loads, nothing else claims to.
        EXPECT_EQ(row.content == EntryContent::Picture, row.loadPicture != nullptr);
        EXPECT_EQ(row.content == EntryContent::Picture, row.readPictureInfo != nullptr);
        for (std::string_view e : row.extensions) {
            EXPECT_TRUE(extensions.insert(e).second) << e;
            EXPECT_EQ(&entryFormatOf("a.dff" + std::string(e)), &row);  // the last dot decides
        }
    }
    EXPECT_EQ(formatInfo(EntryFormat::Unknown).content, EntryContent::Nothing);
}

}  // namespace
