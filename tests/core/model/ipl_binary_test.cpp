#include <gtest/gtest.h>

#include <clocale>
#include <random>

#include "core/model/ipl_binary.h"
#include "support/ipl_builder.h"

using namespace varmelo;
using namespace testing_support;

namespace {

const std::vector<std::string> kEmptySections = {"end", "cull", "end", "path", "end", "grge", "end",
                                                 "enex", "end", "pick", "end", "cars"};

IplConversion convert(const std::vector<uint8_t>& bytes, const std::string& name = "sample.ipl") {
    EntryReader r(bytes);
    return ConvertBinaryIpl(r, name);
}

TEST(IplBinary, KnownInputGivesExactlyThisText) {
    IplInstance i;
    i.x = 10.5f, i.y = -3.25f, i.z = 7;
    i.rx = 0, i.ry = 0, i.rz = 0.5f, i.rw = 1;
    i.model = 1234, i.interior = 0, i.lod = -1;
    IplInstance j;
    j.x = 1234567.5f, j.y = 0.125f, j.z = -0.125f;
    j.model = 7, j.interior = 13, j.lod = 2;
    IplCar c;
    c.x = -1.005f, c.y = 2, c.z = 3, c.angle = 90.25f;
    for (int k = 0; k < 8; ++k) c.values[k] = k - 3;
    IplConversion out = convert(IplBuilder().add(i).add(j).add(c).build(), "LAE_stream0.ipl");
    EXPECT_TRUE(out.binary);
    EXPECT_EQ(out.error, "");
    std::vector<std::string> expected = {"# IPL generated from binary IPL file LAE_stream0.ipl", "# Varmelo 3.0", "inst",
                                         "1234, item1, 0, 10.50, -3.25, 7.00, 0.00, 0.00, 0.50, 1.00, -1",
                                         "7, item2, 13, 1234567.50, 0.13, -0.13, 0.00, 0.00, 0.00, 1.00, 2"};
    expected.insert(expected.end(), kEmptySections.begin(), kEmptySections.end());
    expected.push_back("-1.00, 2.00, 3.00, 90.25, -3, -2, -1, 0, 1, 2, 3, 4");
    for (const char* s : {"end", "jump", "end", "tcyc", "end", "mult", "end"}) expected.emplace_back(s);
    EXPECT_EQ(out.lines, expected);
    EXPECT_EQ(out.lines.size(), 22u + 2 + 1);
}

TEST(IplBinary, EmptyFileHasTwentyTwoLinesAndNegativeCountsCountAsZero) {
    for (int32_t n : {0, -1, -2147483647 - 1}) {
        IplConversion out = convert(IplBuilder().instanceCount(n).carCount(n).build());
        EXPECT_EQ(out.lines.size(), 22u) << n;
        EXPECT_EQ(out.lines[3], "end");
        EXPECT_EQ(out.lines[13], "end");
        EXPECT_EQ(out.lines[21], "end");
        EXPECT_EQ(out.error, "");
    }
}

TEST(IplBinary, OtherMagicIsNotBinary) {
    for (const std::string m : {"BNRY", "bnr", "# IP"}) {
        IplConversion out = convert(IplBuilder().magic(m).build());
        EXPECT_FALSE(out.binary) << m;
        EXPECT_TRUE(out.lines.empty());
        EXPECT_EQ(out.error, "");
    }
    EXPECT_FALSE(convert({'b', 'n'}).binary) << "a text file shorter than the header";
}

TEST(IplBinary, CountsAndOffsetsBeyondTheEntryStopAtItsEndKeepingTheLines) {
    IplInstance i;
    i.model = 5;
    struct Row {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t lines;
    };
    const Row rows[] = {
        {"instance count too large", IplBuilder().add(i).add(i).instanceCount(1000000).build(), 3 + 2},
        {"instance offset beyond", IplBuilder().add(i).instanceOffset(0x7FFFFFF0).build(), 3},
        {"negative offset", IplBuilder().add(i).instanceOffset(0xFFFFFFF0u).build(), 3},
        {"car count too large", IplBuilder().add(i).add(IplCar{}).carCount(2).build(), 3 + 1 + 12 + 1},
        {"header cut short", std::vector<uint8_t>{'b', 'n', 'r', 'y', 0, 0}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        IplConversion out = convert(r.bytes);
        EXPECT_TRUE(out.binary);
        EXPECT_EQ(out.error, "Read beyond end of file");
        EXPECT_EQ(out.lines.size(), r.lines);
    }
}

TEST(IplBinary, FloatsHaveTwoDecimalsAndAPointInAnyLocale) {
    struct Row {
        float v;
        const char* text;
    };
    const Row rows[] = {
        {0.0f, "0.00"},      {-0.0f, "0.00"},    {1.005f, "1.00"} /* stored as 1.00499999 */,
        {0.125f, "0.13"},    {-0.375f, "-0.38"}, {-0.004f, "0.00"},
        {1234567.5f, "1234567.50"}, {3.0e9f, "3000000000.00"}, {1.0e20f, "100000002004087734272.00"},
        {-7.999f, "-8.00"},  {0.01f, "0.01"},
    };
    const char* had = std::setlocale(LC_ALL, nullptr);
    std::string saved = had ? had : "C";
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "ru_RU.UTF-8");
    for (const auto& r : rows) EXPECT_EQ(formatFloat2(r.v), r.text) << r.v << (comma ? " (comma locale)" : "");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(IplBinary, SavedTextEndsEveryLineWithCrLf) {
    EXPECT_EQ(joinLinesCrLf({"inst", "end"}), "inst\r\nend\r\n");
    EXPECT_EQ(joinLinesCrLf({}), "");
}

TEST(IplBinaryRobustness, TruncationsAndBitFlipsEndCleanly) {
    IplInstance i;
    i.x = 1;
    std::vector<uint8_t> file = IplBuilder().add(i).add(i).add(IplCar{}).build();
    for (size_t n = 0; n <= file.size(); ++n) {
        IplConversion out = convert(std::vector<uint8_t>(file.begin(), file.begin() + long(n)));
        if (n < file.size() && n >= 4) {
            EXPECT_EQ(out.error, "Read beyond end of file") << n;
        }
    }
    std::mt19937 rng(3);
    for (int round = 0; round < 500; ++round) {
        std::vector<uint8_t> d = file;
        for (int k = 0; k < 3; ++k) d[(rng() % 2 ? 4 + rng() % 72 : rng() % d.size())] ^= uint8_t(1u << (rng() % 8));
        IplConversion out = convert(d);
        EXPECT_LE(out.lines.size(), 22u + d.size() / 40 + d.size() / 48);
    }
}

}  // namespace
