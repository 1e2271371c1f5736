#pragma once

#include "support/GameTest.h"

namespace hardening {

// The faults and storms play the game window on the game tests' one fixture.
using HardeningTest = gametest::GameTest;

}  // namespace hardening
