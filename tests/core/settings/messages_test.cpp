#include "core/settings/messages.h"

#include <gtest/gtest.h>

#include "core/settings/text_format.h"

#include <map>
#include <vector>

using namespace varmelo;

namespace {

// The arguments each message is shown with; a message missing here takes none.
const std::map<int, std::vector<FormatArg>> kArguments = {
    {MsgBytes, {int64_t(1)}},          {MsgKilobytes, {1.5}},          {MsgMegabytes, {1.5}},
    {MsgGigabytes, {1.5}},             {MsgExtractFilter, {std::string("TXD")}},
    {MsgDirMissing, {std::string("a.dir")}},                           {MsgLoadingPercent, {int64_t(1)}},
    {MsgPart, {int64_t(1)}},           {MsgSizeKb, {int64_t(1)}},      {MsgTextures, {int64_t(1)}},
    {MsgVertsPolys, {int64_t(1), int64_t(2)}},                         {MsgRebuilding, {int64_t(1)}},
    {MsgObjects, {int64_t(1)}},        {MsgExists, {std::string("a.txd")}},
    {MsgShortListing, {int64_t(1), int64_t(2)}}, {MsgConsoleGeometryCount, {int64_t(1), int64_t(2)}},
    {MsgMissingTextures, {std::string("a, b")}}, {MsgDictionaryQuestion, {std::string("a.dff")}},
    {MsgBadTriangles, {int64_t(3)}},   {MsgDamagedSizeWord, {std::string("Clump Struct at 0xC")}},
    {MsgNotGameFolder, {std::string("/games/gta")}},
    {MsgGameModel, {int64_t(411), std::string("data/vehicles.ide"), std::string("infernus, vehicle")}},
    {MsgColourSet, {int64_t(1), int64_t(2), std::string("3, 1")}}, {MsgColoursQuestion, {std::string("a.dff")}},
    {MsgTxdUnsaved, {std::string("road.txd")}}, {MsgTxdImported, {int64_t(2)}},
};

}  // namespace

TEST(MessageTable, EveryMessageHasATextThatTakesItsArguments) {
    MessageTable t;
    for (int n = 0; n < kMessageCount; ++n) {
        SCOPED_TRACE(n);
        const std::string& text = t.get(n);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text, MessageTable::defaults()[size_t(n)]);
        const auto args = kArguments.find(n);
        if (args == kArguments.end()) {
            EXPECT_EQ(text.find('%'), std::string::npos);
            continue;
        }
        // Each argument lands in the text, and no placeholder is left over.
        const std::string shown = formatText(text, args->second);
        EXPECT_NE(shown, formatText(text, {}));
        for (const char* left : {"%d", "%s", "%.2f", "%0:s"}) {
            EXPECT_EQ(shown.find(left), std::string::npos) << left;
        }
    }
    // Bytes that are easy to get wrong: the numero sign and the straight double quote.
    EXPECT_EQ(t.get(MsgColIndex), "\xE2\x84\x96");
    EXPECT_EQ(t.get(MsgExists).substr(0, 10), "Файл \"");
}

TEST(MessageTable, EntriesAreReplacedOneByOneAndRefilled) {
    MessageTable t;
    t.set(MsgNotFoundAll, "Nothing at all");
    EXPECT_EQ(t.get(MsgNotFound), "Данная строка не найдена.");  // 4 and 14 are separate entries
    EXPECT_EQ(t.get(MsgNotFoundAll), "Nothing at all");
    t.fillDefaults();
    EXPECT_EQ(t.get(MsgNotFoundAll), "Данная строка не найдена.");
    EXPECT_THROW(t.get(kMessageCount), std::out_of_range);
}

TEST(MessageTable, FormatStringsTakeTheirArguments) {
    MessageTable t;
    EXPECT_EQ(formatText(t.get(MsgExtractFilter), {std::string("TXD")}), "Файл TXD|*.TXD|Все файлы|*.*");
    EXPECT_EQ(formatText(t.get(MsgLoadingPercent), {int64_t(42)}), "Загрузка: 42%");
    EXPECT_EQ(formatText(t.get(MsgVertsPolys), {int64_t(8), int64_t(12)}), "8 вершин, 12 полигонов");
    EXPECT_EQ(formatText(t.get(MsgExists), {std::string("a.txd")}), "Файл \"a.txd\" уже есть в архиве. Заменить?");
}
