#pragma once

#include <cstdint>
#include <string>

namespace game {

// The title a game's total earns: the first rung from the top whose threshold the total
// reaches; below every rung, "詠み人知らず".
std::string ShogoForPoint(std::int64_t total);

}  // namespace game
