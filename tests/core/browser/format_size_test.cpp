#include "core/browser/format_size.h"

#include <gtest/gtest.h>

using namespace varmelo;

namespace {

struct Row {
    uint64_t bytes;
    char sep;
    const char* expected;
};

class FormatSizeRows : public testing::TestWithParam<Row> {};

TEST_P(FormatSizeRows, UsesThresholdsAndTwoDecimals) {
    MessageTable m;
    EXPECT_EQ(FormatSize(GetParam().bytes, m, GetParam().sep), GetParam().expected) << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(Rows, FormatSizeRows,
                         testing::Values(Row{0, '.', "0 байт"}, Row{1023, '.', "1023 байт"},
                                         Row{1024, '.', "1.00 КБ"}, Row{1536, '.', "1.50 КБ"},
                                         Row{1536, ',', "1,50 КБ"}, Row{1048575, '.', "1024.00 КБ"},
                                         Row{1048576, '.', "1.00 МБ"}, Row{1073741823, '.', "1024.00 МБ"},
                                         Row{1073741824, '.', "1.00 ГБ"}, Row{4294967295u, '.', "4.00 ГБ"},
                                         Row{3221225472u, ',', "3,00 ГБ"}));

TEST(FormatSize, TakesItsTextsFromTheMessageTable) {
    MessageTable m;
    m.set(MsgBytes, "%d bytes");
    m.set(MsgKilobytes, "%.2f KiB");
    EXPECT_EQ(FormatSize(5, m), "5 bytes");
    EXPECT_EQ(FormatSize(2048, m), "2.00 KiB");
}

}  // namespace
