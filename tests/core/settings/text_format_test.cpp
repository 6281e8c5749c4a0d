#include "core/settings/text_format.h"

#include <gtest/gtest.h>

using namespace varmelo;

namespace {

struct Row {
    const char* fmt;
    std::vector<FormatArg> args;
    char sep;
    const char* expected;
};

class TextFormat : public testing::TestWithParam<Row> {};

TEST_P(TextFormat, Formats) {
    const Row& r = GetParam();
    EXPECT_EQ(formatText(r.fmt, r.args, r.sep), r.expected) << r.fmt;
}

using S = std::string;
using I = int64_t;

INSTANTIATE_TEST_SUITE_P(
    Rows, TextFormat,
    testing::Values(
        Row{"%d байт", {I(1023)}, '.', "1023 байт"}, Row{"%d", {I(-5)}, '.', "-5"},
        Row{"%u", {I(-1)}, '.', "4294967295"}, Row{"%x", {I(255)}, '.', "FF"},
        Row{"%.8x", {I(2048)}, '.', "00000800"}, Row{"%.3d", {I(7)}, '.', "007"},
        Row{"STR%.3d", {I(31)}, '.', "STR031"}, Row{"%.2f КБ", {1.5}, '.', "1.50 КБ"},
        Row{"%.2f КБ", {1.5}, ',', "1,50 КБ"}, Row{"%.2f", {1023.999}, '.', "1024.00"},
        Row{"%.0f", {2.5}, '.', "2"}, Row{"%.2f", {I(3)}, '.', "3.00"},
        Row{"%s|*.%0:s", {S("TXD")}, '.', "TXD|*.TXD"}, Row{"%1:s-%0:s-%s", {S("a"), S("b")}, '.', "b-a-b"},
        Row{"100%%", {}, '.', "100%"}, Row{"%5d|%-5d|", {I(42), I(42)}, '.', "   42|42   |"},
        Row{"%.2s", {S("abc")}, '.', "ab"}, Row{"%s", {I(12)}, '.', "12"},
        // missing, mismatched and unknown placeholders stand as written
        Row{"%d and %d", {I(1)}, '.', "1 and %d"}, Row{"%d", {S("x")}, '.', "%d"},
        Row{"%s %5:s", {S("a")}, '.', "a %5:s"}, Row{"%q %", {I(1)}, '.', "%q %"},
        Row{"%99999999d", {I(1)}, '.', "%99999999d"}, Row{"trailing %", {}, '.', "trailing %"}));

}  // namespace
