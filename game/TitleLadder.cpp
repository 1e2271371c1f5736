#include "game/TitleLadder.h"

#include <array>
#include <string_view>

namespace game {

namespace {

struct Rung {
    std::int64_t threshold;
    std::string_view title;
};

// Tested from the top. 70 and 40 share a title on purpose: every total from 40 to 79 earns it.
constexpr std::array<Rung, 10> kLadder{{
    {170, "大歌聖"},
    {160, "歌聖"},
    {150, "六歌仙"},
    {140, "三十六歌仙"},
    {130, "左大臣"},
    {120, "右大臣"},
    {110, "大納言"},
    {80, "中納言"},
    {70, "さきもり"},
    {40, "さきもり"},
}};

}  // namespace

std::string ShogoForPoint(std::int64_t total) {
    for (const Rung& rung : kLadder)
        if (rung.threshold <= total) return std::string(rung.title);
    return "詠み人知らず";
}

}  // namespace game
