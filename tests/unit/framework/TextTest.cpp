// Text, numbers, dates and chance: what the prompt clock, the score fields and the deal rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "fw/Date.h"
#include "fw/Exceptions.h"
#include "fw/Random.h"
#include "fw/Text.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// A prompt poem as the game shows it: hiragana with ideographic spaces (U+3000) between phrases.
const std::string kPoem = "あきのたの　かりほのいほの　とまをあらみ";

struct LeftCase {
    std::string text;
    std::int64_t count;
    std::string expected;
};

class LeftTest : public ::testing::TestWithParam<LeftCase> {};

TEST_P(LeftTest, TakesCharactersNotBytes) {
    const LeftCase& c = GetParam();
    EXPECT_EQ(fw::Left(c.text, c.count), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeftTest,
    ::testing::Values(LeftCase{"あいうえお", 3, "あいう"}, LeftCase{"あいうえお", 1, "あ"},
                      LeftCase{"あいうえお", 5, "あいうえお"},
                      LeftCase{"あいうえお", 6, "あいうえお"},  // past the end: the whole text
                      LeftCase{"あいうえお", kMax, "あいうえお"}, LeftCase{"あいうえお", 0, ""},
                      LeftCase{"あいうえお", -1, ""},  // negative: empty
                      LeftCase{"あいうえお", kMin, ""},
                      LeftCase{"あ　い", 2, "あ　"},  // U+3000 is one character
                      LeftCase{kPoem, 6, "あきのたの　"}, LeftCase{kPoem, 7, "あきのたの　か"},
                      LeftCase{"aあb", 2, "aあ"},
                      LeftCase{"\xF0\xA0\x80\x8Bx", 1, "\xF0\xA0\x80\x8B"}, LeftCase{"", 3, ""},
                      // A sequence cut short at the end is kept whole and never read past.
                      LeftCase{"a\xE3\x81", 2, "a\xE3\x81"},
                      LeftCase{"a\xE3\x81", 9, "a\xE3\x81"}));

TEST(TextTest, LenCountsCharacters) {
    struct Case {
        std::string text;
        std::int64_t expected;
    };
    for (const Case& c : std::vector<Case>{{"", 0},
                                           {"abc", 3},
                                           {"あいうえお", 5},
                                           {"　", 1},
                                           {"あ　い", 3},
                                           {kPoem, 20},
                                           {"\xF0\xA0\x80\x8B", 1},
                                           {"a\xE3\x81", 2}})
        EXPECT_EQ(fw::Len(c.text), c.expected) << c.text;
}

// The prompt clock shows Left(poem, seconds) for every whole second: each step adds exactly one
// character, and the last shows the whole poem.
TEST(TextTest, LeftOfEveryCountAgreesWithLen) {
    const std::int64_t length = fw::Len(kPoem);
    std::string previous;
    for (std::int64_t n = -2; n <= length + 2; ++n) {
        const std::string shown = fw::Left(kPoem, n);
        EXPECT_EQ(fw::Len(shown), std::clamp<std::int64_t>(n, 0, length)) << n;
        EXPECT_EQ(kPoem.compare(0, shown.size(), shown), 0) << n;  // a prefix of the poem
        EXPECT_GE(shown.size(), previous.size()) << n;
        previous = shown;
    }
    EXPECT_EQ(previous, kPoem);
}

TEST(TextTest, StrOfAnIntegerIsItsDecimalDigits) {
    struct Case {
        std::int64_t value;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{0, "0"},
                                           {7, "7"},
                                           {20, "20"},
                                           {-15, "-15"},
                                           {kMax, "9223372036854775807"},
                                           {kMin, "-9223372036854775808"}})
        EXPECT_EQ(fw::Str(c.value), c.expected) << c.value;
    EXPECT_EQ(fw::Str(20), "20");  // an int literal takes the Integer form, not the Double one
}

TEST(TextTest, StrOfADoubleHasSevenSignificantDigits) {
    struct Case {
        double value;
        std::string expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (const Case& c : std::vector<Case>{{0.0, "0"},
                                           {-0.0, "0"},
                                           {20.0, "20"},
                                           {0.4, "0.4"},
                                           {-2.5, "-2.5"},
                                           {3.712345, "3.712345"},
                                           {3.7123456789, "3.712346"},
                                           {12.0000001, "12"},
                                           {1234567.0, "1234567"},
                                           {12345678.0, "1.234568e+07"},
                                           {1234567890.0, "1.234568e+09"},
                                           {0.0001, "0.0001"},
                                           {0.00001, "1e-05"},
                                           {std::nan(""), "NaN"},
                                           {inf, "INF"},
                                           {-inf, "-INF"}})
        EXPECT_EQ(fw::Str(c.value), c.expected) << c.expected;
}

// scripts/test runs the unit tests once more under a locale whose decimal sign is a comma and
// names it in UKISOMI_COMMA_LOCALE. In that run the locale must really be in effect, as the GUI
// library leaves it after start-up, and Str must not follow it, nor any other locale the
// process switches to.
TEST(TextTest, StrIsTheSameInEveryLocale) {
    const char* comma = std::getenv("UKISOMI_COMMA_LOCALE");
    if (!comma) GTEST_SKIP() << "not the run under a comma locale";
    const std::string started = std::setlocale(LC_ALL, nullptr);
    EXPECT_NE(started.find(comma), std::string::npos) << started;
    ASSERT_STREQ(std::localeconv()->decimal_point, ",")
        << comma << " is not in effect: the run proves nothing";
    struct Case {
        const char* locale;
        const char* decimalSign;
    };
    for (const Case& c : {Case{comma, ","}, Case{"de_DE.UTF-8", ","}, Case{"fr_FR.UTF-8", ","},
                          Case{"ja_JP.UTF-8", "."}, Case{"C", "."}}) {
        SCOPED_TRACE(c.locale);
        ASSERT_NE(std::setlocale(LC_ALL, c.locale), nullptr) << "the locale is missing";
        EXPECT_STREQ(std::localeconv()->decimal_point, c.decimalSign);
        EXPECT_EQ(fw::Str(2.652543), "2.652543");
        EXPECT_EQ(fw::Str(-0.4), "-0.4");
        EXPECT_EQ(fw::Str(1234567890.0), "1.234568e+09");
        EXPECT_EQ(fw::Str(0.00001), "1e-05");
        EXPECT_EQ(fw::Str(std::int64_t{-1234567}), "-1234567");
    }
    std::setlocale(LC_ALL, started.c_str());
}

TEST(TextTest, ChrMakesOneCharacter) {
    struct Case {
        std::int64_t code;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{65, "A"},
                                           {13, "\r"},
                                           {10, "\n"},
                                           {0, std::string(1, '\0')},
                                           {0x3042, "あ"},
                                           {0x3000, "　"},
                                           {0x2000B, "\xF0\xA0\x80\x8B"},
                                           {-1, ""},
                                           {0xD800, ""},
                                           {0x110000, ""},
                                           {kMax, ""}}) {
        EXPECT_EQ(fw::Chr(c.code), c.expected) << c.code;
        if (!c.expected.empty()) {
            EXPECT_EQ(fw::Len(fw::Chr(c.code)), 1) << c.code;
        }
    }
}

TEST(RandomTest, InRangeReachesBothBoundsAndNothingElse) {
    fw::Random random;
    std::set<std::int64_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::int64_t v = random.InRange(0, 9);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 9);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 10u);  // 0 and 9 included
}

TEST(RandomTest, InRangeEdges) {
    fw::Random random;
    EXPECT_EQ(random.InRange(5, 5), 5);
    for (int i = 0; i < 100; ++i) {
        const std::int64_t v = random.InRange(-3, -1);
        EXPECT_TRUE(v >= -3 && v <= -1) << v;
    }
    random.InRange(kMin, kMax);  // the whole range: no overflow
    EXPECT_THROW(random.InRange(3, 2), fw::InvalidArgumentException);
}

std::vector<std::int64_t> Draws(fw::Random& random) {
    std::vector<std::int64_t> out;
    for (int i = 0; i < 24; ++i) out.push_back(random.InRange(0, 9));
    return out;
}

class ChanceTest : public FrameworkTest {};

// Every press makes a new generator with no seed set: successive ones must not repeat.
TEST_F(ChanceTest, NewGeneratorsDrawDifferently) {
    fw::Random first, second;
    EXPECT_NE(Draws(first), Draws(second));
}

TEST_F(ChanceTest, SeedSourceMakesDrawsRepeatable) {
    fw::Random::SetSeedSource([] { return std::uint64_t{42}; });
    fw::Random first, second;
    EXPECT_EQ(Draws(first), Draws(second));
    fw::Random::SetSeedSource({});
    fw::Random third;
    fw::Random::SetSeedSource([] { return std::uint64_t{42}; });
    fw::Random fourth;
    EXPECT_NE(Draws(third), Draws(fourth));
}

TEST_F(ChanceTest, DateReadsTheClockWhenMade) {
    double now = 1000.25;
    fw::Date::SetClock([&] { return now; });
    fw::Date first;
    now = 1003.75;
    fw::Date second;
    EXPECT_DOUBLE_EQ(first.TotalSeconds(), 1000.25);
    EXPECT_DOUBLE_EQ(second.TotalSeconds(), 1003.75);
    EXPECT_DOUBLE_EQ(second.TotalSeconds() - first.TotalSeconds(), 3.5);
}

TEST_F(ChanceTest, DefaultClockIsTheSystemClockInSeconds) {
    const double before =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    fw::Date date;
    const double after =
        std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
    EXPECT_GE(date.TotalSeconds(), before);
    EXPECT_LE(date.TotalSeconds(), after);
}

}  // namespace
}  // namespace fwtest
