#pragma once

#include <array>
#include <span>
#include <string>

#include "fw/Runtime.h"

// The start-up sequence: from the process entry to the event loop and back to the exit code.
namespace shell {

// The program's initialisers, run once after the framework's own and before Main, in this
// order; after them every class record of the program exists.
extern const std::array<fw::Initializer, 10> kInitializers;
// The program's plug-in table: the program uses no plug-in, so it holds only its end mark.
extern const fw::PluginEntry kPluginTable[];

// The body of the process entry: starts the framework with the entry's arguments, runs the
// initialisers, Main and the finalisers, and returns the exit code RuntimeExit gives, whatever
// Main leaves behind.
int wWinMain(void* instance, void* previousInstance, const wchar_t* commandLine, int showMode);
// The same with another initialiser table in place of kInitializers.
int RunProgram(std::span<const fw::Initializer> initializers, void* instance,
               void* previousInstance, const wchar_t* commandLine, int showMode);

// Installs the exception helper, stamps the framework version, runs the early start-up, lets
// the framework start (it calls LateStartup) and runs the event loop until the application
// quits. An exception on the way, one left by the initialisers included, goes to the default
// handler and ends start-up there.
void Main();
// High-DPI support, the framework's own classes and plug-ins, the file types, the application
// object and its menu handlers, in this order.
void EarlyStartup();
void InitFileTypes();
// Makes App with its version data and menu bar, and registers it with the framework.
void NewAppInstance();
// The application registers no menu handler.
void ApplicationAddMenuHandlers();
// Called by the framework once it is ready: opens the game window.
void LateStartup();
void MakeDefaultView();

// The command-line tail of a process started without wWinMain: argv[1..] as one wide string,
// each argument quoted where the Windows convention needs it. UTF-8 is decoded; a byte that
// is no part of valid UTF-8 becomes U+FFFD.
std::wstring CommandLineTail(int argc, const char* const* argv);

}  // namespace shell
