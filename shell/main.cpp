// The process entry: hands over to the start-up sequence and returns its exit code.
#include "shell/Startup.h"

#ifdef _WIN32

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previousInstance, PWSTR commandLine,
                    int showMode) {
    return shell::wWinMain(instance, previousInstance, commandLine, showMode);
}

#else

#include <string>

int main(int argc, char** argv) {
    const std::wstring tail = shell::CommandLineTail(argc, argv);
    // No instance handle off Windows; 10 is the default show mode (SW_SHOWDEFAULT).
    return shell::wWinMain(nullptr, nullptr, tail.c_str(), 10);
}

#endif
