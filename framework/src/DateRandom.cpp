#include <chrono>
#include <mutex>
#include <random>

#include "fw/Date.h"
#include "fw/Random.h"

namespace fw {

namespace {

double SystemSeconds() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

std::uint64_t SystemSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

std::mutex seamMutex;
Date::Clock clock;
Random::SeedSource seedSource;

}  // namespace

Date::Date() {
    std::lock_guard lock(seamMutex);
    totalSeconds_ = clock ? clock() : SystemSeconds();
}

void Date::SetClock(Clock c) {
    std::lock_guard lock(seamMutex);
    clock = std::move(c);
}

const ClassRecord& Date::Lookup() {
    static const ClassRecord& record =
        RegisterClass({.name = "Date",
                       .super = &Object::Lookup(),
                       .factory = [] { return std::make_shared<Date>(); },
                       .members = {{"Constructor", "", {}}, {"TotalSeconds", "", {}}}});
    return record;
}
const ClassRecord& Date::Class() const { return Lookup(); }

Random::Random() {
    std::lock_guard lock(seamMutex);
    engine_.seed(seedSource ? seedSource() : SystemSeed());
}

std::int64_t Random::InRange(std::int64_t low, std::int64_t high) {
    if (high < low)
        throw InvalidArgumentException("InRange: the upper bound is below the lower bound");
    return std::uniform_int_distribution<std::int64_t>(low, high)(engine_);
}

void Random::SetSeedSource(SeedSource source) {
    std::lock_guard lock(seamMutex);
    seedSource = std::move(source);
}

const ClassRecord& Random::Lookup() {
    static const ClassRecord& record = RegisterClass(
        {.name = "Random",
         .super = &Object::Lookup(),
         .factory = [] { return std::make_shared<Random>(); },
         .members = {{"Constructor", "", {}}, {"InRange", "low As Integer, high As Integer", {}}}});
    return record;
}
const ClassRecord& Random::Class() const { return Lookup(); }

}  // namespace fw
