// Runs the unit tests headless, on a framework started the way the program starts it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fw/Runtime.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    fw::RuntimeInit(nullptr, nullptr, L"", 10);
    return RUN_ALL_TESTS();
}
