#pragma once

#include <exception>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace fw {

// Start-up, the event loop and the end of a run.

using Initializer = void (*)();

// Starts the framework with the process entry's arguments, unchanged. The GUI thread is the
// calling thread from then on. When no display can be opened, it says so in one line on
// standard error and ends the process with exit code 1.
void RuntimeInit(void* instance, void* previousInstance, const wchar_t* commandLine, int showMode);
// The command-line tail RuntimeInit was given.
const std::wstring& RuntimeCommandLine();

// Runs the framework's own initialisers, then the program's in order. The first exception
// stops the table and is kept pending (TakePendingException) rather than thrown.
void RuntimePerformInitializers(std::span<const Initializer> program);
// The exception left pending by the initialisers, or null; taking it clears it.
std::exception_ptr TakePendingException();
void RuntimePerformFinalizers();
// Ends the framework; returns the exit code: the code the application quit with, or 1 when
// an unhandled exception ended start-up and the event loop never ran. An exception reported
// after the loop has run (in the finalisers, say) leaves the code as it is.
int RuntimeExit();

// Calls `function(argument)`; returns the RuntimeException it raised, or null. Any other
// exception goes on to the caller.
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);
using ExceptionHelper = std::exception_ptr (*)(void (*)(void*), void*);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// The helper installed last, or null. The framework's own dispatch catches for itself.
ExceptionHelper InstalledExceptionHelper();

void StampFrameworkVersion(double version);
double FrameworkVersion();

// Makes the framework's own runtime classes known (exceptions, weak references, dialogs).
void RuntimeInitExternalClasses();
bool ExternalClassesReady();

// One entry of a program's plug-in table; a table ends with an entry of null texts.
struct PluginEntry {
    const char* prefix;
    const char* identifier;
    const char* library;
};
// Records the plug-ins the table names. This framework has no plug-in loader: a named
// plug-in is kept as a name, and classes from it are not available.
void InitPluginEntrypoints(const PluginEntry* table);
// The plug-ins named so far, in table order.
std::vector<PluginEntry> RegisteredPlugins();

// Starts the framework and calls `lateStartup` once it is ready (before RuntimeRun).
void RunFrameworkInitialization(void (*lateStartup)());
// The event loop; returns when the application quits.
void RuntimeRun();

// The default handling of an exception that reached start-up or the event loop: it reports
// the exception (standard error, and a message box) and returns, so the program goes on.
void UnhandledException(std::exception_ptr exception);
// Replaces how UnhandledException reports (tests); an empty function restores the default.
using UnhandledReporter =
    std::function<void(const std::string& className, const std::string& message)>;
void SetUnhandledExceptionReporter(UnhandledReporter reporter);

// Runs event-handling code as the event loop does: an exception it raises goes to
// UnhandledException and no further.
void Deliver(const std::function<void()>& handlerCall);

// Runs pending events: deferred window releases, repaints, posted events (tests, benchmarks).
void ProcessEvents();

}  // namespace fw
