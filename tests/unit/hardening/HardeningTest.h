#pragma once

#include "unit/game/rules/GameFixture.h"

namespace hardening {

using rules::kT0;

// The faults and storms play the game window on the rules tests' own fixture.
using HardeningTest = rules::GameTest;

}  // namespace hardening
