// The title ladder on its own: every rung, the total just below it, and the far ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "game/TitleLadder.h"

namespace {

TEST(TitleLadder, EachThresholdAndTheTotalJustBelowIt) {
    struct Case {
        std::int64_t total;
        const char* title;
    };
    const Case cases[] = {
        {170, "大歌聖"},  {169, "歌聖"},       {160, "歌聖"},       {159, "六歌仙"},
        {150, "六歌仙"},  {149, "三十六歌仙"}, {140, "三十六歌仙"}, {139, "左大臣"},
        {130, "左大臣"},  {129, "右大臣"},     {120, "右大臣"},     {119, "大納言"},
        {110, "大納言"},  {109, "中納言"},     {80, "中納言"},      {79, "さきもり"},
        {70, "さきもり"}, {69, "さきもり"},    {40, "さきもり"},    {39, "詠み人知らず"},
    };
    for (const Case& c : cases) EXPECT_EQ(game::ShogoForPoint(c.total), c.title) << c.total;
}

TEST(TitleLadder, NothingAboveTheTopAndNothingBelowTheBottom) {
    EXPECT_EQ(game::ShogoForPoint(200), "大歌聖");
    EXPECT_EQ(game::ShogoForPoint(std::numeric_limits<std::int64_t>::max()), "大歌聖");
    EXPECT_EQ(game::ShogoForPoint(0), "詠み人知らず");
    EXPECT_EQ(game::ShogoForPoint(-12), "詠み人知らず");
    EXPECT_EQ(game::ShogoForPoint(std::numeric_limits<std::int64_t>::min()), "詠み人知らず");
}

// Seventy and forty share one title, so every total in 40..79 earns it.
TEST(TitleLadder, FortyToSeventyNineIsOneTitle) {
    for (std::int64_t total = 40; total <= 79; ++total)
        EXPECT_EQ(game::ShogoForPoint(total), "さきもり") << total;
}

}  // namespace
