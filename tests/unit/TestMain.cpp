// Runs the unit tests headless, on a framework started the way the program starts it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fw/Runtime.h"

namespace {

// Sets a variable the environment lacks. Wine drops every QT_ variable on its way in, so the
// Windows tests choose their platform here, and nowhere outside the process.
void Default(const char* name, const char* value) {
    if (std::getenv(name)) return;
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 0);
#endif
}

}  // namespace

int main(int argc, char** argv) {
    Default("QT_QPA_PLATFORM", "offscreen");
#ifdef UKISOMI_TEST_FONT_DIR
    // Offscreen on Windows reads its faces from this one folder.
    Default("QT_QPA_FONTDIR", UKISOMI_TEST_FONT_DIR);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    fw::RuntimeInit(nullptr, nullptr, L"", 10);
    return RUN_ALL_TESTS();
}
