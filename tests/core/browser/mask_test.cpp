#include "core/browser/mask.h"

#include <gtest/gtest.h>

using namespace varmelo;

namespace {

struct MatchRow {
    const char* mask;
    const char* name;
    bool expected;
};

class MaskMatching : public testing::TestWithParam<MatchRow> {};

// The rows keep pointers into it, so it lives as long as the tests do.
const std::string kFourHundredAs(400, 'a');

TEST_P(MaskMatching, MatchesWholeNames) {
    const MatchRow& r = GetParam();
    EXPECT_EQ(Mask(r.mask).matches(r.name), r.expected) << "'" << r.mask << "' vs '" << r.name << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MaskMatching,
    testing::Values(
        MatchRow{"*", "", true}, MatchRow{"", "", true}, MatchRow{"", "a", false},
        MatchRow{"*.dff", "car.dff", true}, MatchRow{"*.dff", "CAR.DFF", true}, MatchRow{"*.dff", "car.dffx", false},
        MatchRow{"*txd*", "TXDNAME.DFF", true}, MatchRow{"*txd*", "vehicle.txd", true},
        MatchRow{"*txd*", "vehicle.tx", false}, MatchRow{"?", "a", true}, MatchRow{"?", "", false},
        MatchRow{"??", "a", false}, MatchRow{"a?c", "abc", true}, MatchRow{"a?c", "ac", false},
        // "?" right after "*" is dropped
        MatchRow{"*?.txd", ".txd", true}, MatchRow{"*??x", "x", true}, MatchRow{"a*?", "a", true},
        MatchRow{"[a-c]*", "Bus.dff", true}, MatchRow{"[a-c]*", "d.dff", false},
        MatchRow{"[!a-c]*", "d.dff", true}, MatchRow{"[!a-c]*", "A.dff", false}, MatchRow{"[!a-c]*", "", false},
        MatchRow{"[xyz]", "Y", true}, MatchRow{"[a-]", "-", true}, MatchRow{"[a-]", "b", false},
        MatchRow{"[*]", "*", true}, MatchRow{"[*]", "a", false}, MatchRow{"]", "]", true},
        MatchRow{"[c-ax]", "x", true}, MatchRow{"[c-ax]", "b", false},
        // upper-casing is ASCII only: Cyrillic letters keep their case
        MatchRow{"\xE0*", "\xC0.txd", false}, MatchRow{"\xC0*", "\xC0.txd", true},
        MatchRow{"a*b*c", "aXbYc", true}, MatchRow{"a*b*c", "aXcYb", false},
        MatchRow{"*a*a*a*a*a*a*a*a*a*a*a*a*b", kFourHundredAs.c_str(), false}));

struct InvalidRow {
    std::string mask;
    int position;
};

class InvalidMasks : public testing::TestWithParam<InvalidRow> {};

TEST_P(InvalidMasks, NameTheMaskAndWhereReadingStopped) {
    const InvalidRow& r = GetParam();
    try {
        Mask m(r.mask);
        FAIL() << "accepted '" << r.mask << "'";
    } catch (const MaskError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + r.mask + "' is an invalid mask at (" + std::to_string(r.position) + ")");
    }
}

std::string stars(int places) {
    std::string s;
    for (int k = 0; k < places; ++k) s += "*a";
    return s;
}

INSTANTIATE_TEST_SUITE_P(Rows, InvalidMasks,
                         testing::Values(InvalidRow{"[b", 3}, InvalidRow{"*[b*", 5}, InvalidRow{"[", 2},
                                         InvalidRow{"[!", 3}, InvalidRow{"[a-", 4}, InvalidRow{"x[]", 3},
                                         InvalidRow{"[!]", 3}, InvalidRow{"[c-a]", 5}, InvalidRow{"[-a]", 2},
                                         InvalidRow{"[!-a]", 3}, InvalidRow{"[-]", 2}, InvalidRow{"[a-b-c]", 5},
                                         InvalidRow{stars(31), 62}, InvalidRow{stars(30) + "*", 62}));

TEST(Mask, ThirtyStarPlacesAreAllowed) {
    EXPECT_NO_THROW(Mask(stars(30)));
    EXPECT_TRUE(Mask(stars(30)).matches(std::string(30, 'a')));
    EXPECT_NO_THROW(Mask("***a**"));  // runs count once each: two places
}

TEST(Mask, HostileMaskAgainstLongNameStaysFast) {
    // Exponential backtracking would not finish; the greedy matcher needs a few million steps.
    std::string mask;
    for (int k = 0; k < 30; ++k) mask += "*a";
    mask += "b";
    EXPECT_THROW(Mask{mask + "*"}, MaskError);  // 31 places
    Mask m(mask);
    EXPECT_FALSE(m.matches(std::string(511, 'a')));
    EXPECT_TRUE(m.matches(std::string(511, 'a') + "b"));
}

TEST(SearchMask, WrapsTextUnlessWholeWord) {
    EXPECT_EQ(searchMask("txd", false), "*txd*");
    EXPECT_EQ(searchMask("*.dff", true), "*.dff");
    EXPECT_EQ(searchMask("", false), "**");
}

struct SearchRow {
    const char* text;
    bool wholeWord;
    bool matchCase;
    const char* name;
    bool expected;
};

class NameMatching : public testing::TestWithParam<SearchRow> {};

TEST_P(NameMatching, AppliesTheSearchOptions) {
    const SearchRow& r = GetParam();
    NameMatcher m(r.text, {r.wholeWord, r.matchCase});
    EXPECT_EQ(m.matches(r.name), r.expected) << r.text << " / " << r.name;
}

// "\xE0" а, "\xC0" А, "\xB8" ё, "\xA8" Ё
INSTANTIATE_TEST_SUITE_P(
    Rows, NameMatching,
    testing::Values(SearchRow{"txd", false, false, "vehicle.txd", true}, SearchRow{"txd", false, false, "TXDNAME.DFF", true},
                    SearchRow{"txd", false, true, "TXDNAME.DFF", true}, SearchRow{"txd", true, false, "vehicle.txd", false},
                    SearchRow{"*.dff", true, false, "a.DFF", true}, SearchRow{"", false, false, "anything", true},
                    SearchRow{"", true, false, "", true}, SearchRow{"", true, false, "a", false},
                    // match case off: names are upper-cased by the code page, the mask is as typed
                    SearchRow{"\xC0", false, false, "\xE0.txd", true}, SearchRow{"\xE0", false, false, "\xE0.txd", false},
                    SearchRow{"\xA8", false, false, "\xB8", true},
                    // match case on: the mask is upper-cased, names are as stored
                    SearchRow{"\xE0", false, true, "\xC0.txd", true}, SearchRow{"\xE0", false, true, "\xE0.txd", false},
                    SearchRow{"\xC0", false, true, "\xE0.txd", false}));

TEST(NameMatcher, InvalidMaskErrorNamesTheMaskAsTyped) {
    try {
        NameMatcher m("[b", {false, true});
        FAIL();
    } catch (const MaskError& e) {
        EXPECT_STREQ(e.what(), "'*[b*' is an invalid mask at (5)");
    }
    try {
        NameMatcher m("\xE0[", {true, true});
        FAIL();
    } catch (const MaskError& e) {
        EXPECT_STREQ(e.what(), "'\xE0[' is an invalid mask at (3)");
    }
}

}  // namespace
