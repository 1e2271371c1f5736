#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "fw/Object.h"

namespace fw {

// A random-number generator, seeded from the framework's seed source when it is made.
class Random : public Object {
public:
    FW_OBJECT;

    using SeedSource = std::function<std::uint64_t()>;

    Random();
    // An Integer from `low` to `high`, both included; raises InvalidArgumentException when
    // high < low.
    std::int64_t InRange(std::int64_t low, std::int64_t high);

    // Replaces the seed source of new generators (tests); an empty function restores the
    // system's entropy source.
    static void SetSeedSource(SeedSource source);

private:
    std::mt19937_64 engine_;
};

}  // namespace fw
