#include "fw/Runtime.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "DisplayCheck.h"
#include "RuntimeState.h"
#include "WindowRegistry.h"
#include "fw/Application.h"
#include "fw/Canvas.h"
#include "fw/Date.h"
#include "fw/FileType.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/Menu.h"
#include "fw/Picture.h"
#include "fw/PushButton.h"
#include "fw/Random.h"
#include "fw/Separator.h"
#include "fw/TextEdit.h"
#include "fw/Timer.h"
#include "fw/WeakRef.h"
#include "fw/Window.h"
#include "qt/Native.h"

namespace fw {

namespace detail {

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

}  // namespace detail

namespace {

using detail::State;

// Qt keeps a reference to argc, so both live for the whole run.
int qtArgc = 1;
char qtProgramName[] = "ukisomi";
char* qtArgv[] = {qtProgramName, nullptr};
// Never destroyed: statics that hold Qt objects (pictures, widgets of windows still open at
// exit) may outlive main, and must not find the application gone.
QApplication* ownedApplication = nullptr;

void ReportToUser(const std::string& className, const std::string& message) {
    std::fprintf(stderr, "ukisomi: unhandled %s: %s\n", className.c_str(), message.c_str());
    if (!QApplication::instance()) return;
    // Modeless, so that reporting never blocks the event loop that must go on.
    auto* box = new QMessageBox(
        QMessageBox::Warning, QStringLiteral("Ukisomi"),
        QString::fromUtf8("An unexpected error occurred:\n%1: %2")
            .arg(QString::fromStdString(className), QString::fromStdString(message)));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void FrameworkInitializers() {
    // The framework's class records, so that every class is known by name before the program's
    // own initialisers run.
    Object::Lookup();
    WeakRef::Lookup();
    Date::Lookup();
    Random::Lookup();
    Application::Lookup();
    Window::Lookup();
    Control::Lookup();
    RectControl::Lookup();
    Canvas::Lookup();
    Label::Lookup();
    TextEdit::Lookup();
    TextField::Lookup();
    TextArea::Lookup();
    PushButton::Lookup();
    Listbox::Lookup();
    Separator::Lookup();
    Timer::Lookup();
    MenuItem::Lookup();
    MenuBar::Lookup();
    QuitMenuItem::Lookup();
    AppMenuItem::Lookup();
    FileType::Lookup();
    Picture::Lookup();
}

}  // namespace

void RuntimeInit(void*, void*, const wchar_t* commandLine, int) {
    auto& state = State();
    state.commandLine = commandLine ? commandLine : L"";
    if (state.initialised) return;
    if (!QApplication::instance()) {
        const detail::DisplayCheck display;
        if (const auto& problem = display.Problem()) {
            std::fprintf(stderr, "ukisomi: %s\n", problem->c_str());
            std::exit(1);
        }
        ownedApplication = new QApplication(qtArgc, qtArgv);
    }
    QApplication::setApplicationName(QStringLiteral("Ukisomi"));
    // Lets a desktop match the windows to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(detail::kProgramName));
    state.guiThread = std::this_thread::get_id();
    state.initialised = true;
}

const std::wstring& RuntimeCommandLine() { return State().commandLine; }

void RuntimePerformInitializers(std::span<const Initializer> program) {
    try {
        FrameworkInitializers();
        for (Initializer init : program)
            if (init) init();
    } catch (...) {
        State().pending = std::current_exception();
    }
}

std::exception_ptr TakePendingException() { return std::exchange(State().pending, nullptr); }

void RuntimePerformFinalizers() {
    detail::CloseAllWindows();
    ProcessEvents();
}

int RuntimeExit() {
    auto& state = State();
    // Once the loop has run, start-up succeeded: what happens after it (a handler raising in
    // the finalisers, say) is reported but does not turn a quit into a failure.
    const bool startupFailed = state.failedBeforeLoop && !state.loopRan;
    return startupFailed && state.exitCode == 0 ? 1 : state.exitCode;
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        function(argument);
        return nullptr;
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) { State().exceptionHelper = helper; }
ExceptionHelper InstalledExceptionHelper() { return State().exceptionHelper; }

void StampFrameworkVersion(double version) { State().frameworkVersion = version; }
double FrameworkVersion() { return State().frameworkVersion; }

void RuntimeInitExternalClasses() {
    WeakRef::Lookup();
    State().externalClassesReady = true;
}

bool ExternalClassesReady() { return State().externalClassesReady; }

void InitPluginEntrypoints(const PluginEntry* table) {
    for (const PluginEntry* e = table; e && e->prefix; ++e) State().plugins.push_back(*e);
}

std::vector<PluginEntry> RegisteredPlugins() { return State().plugins; }

void RunFrameworkInitialization(void (*lateStartup)()) {
    RequireUIThread();
    if (!QApplication::instance()) throw RuntimeException("the framework was not initialised");
    if (lateStartup) lateStartup();
}

void RuntimeRun() {
    RequireUIThread();
    auto& state = State();
    state.loopRan = true;
    const int code = QApplication::exec();
    if (state.exitCode == 0) state.exitCode = code;
}

void UnhandledException(std::exception_ptr exception) {
    auto& state = State();
    if (!state.loopRan) state.failedBeforeLoop = true;
    std::string className = "exception", message;
    try {
        if (exception) std::rethrow_exception(exception);
        message = "no exception";
    } catch (const RuntimeException& e) {
        className = e.ClassName();
        message = e.what();
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "an exception of unknown type";
    }
    if (state.reporter)
        state.reporter(className, message);
    else
        ReportToUser(className, message);
}

void SetUnhandledExceptionReporter(UnhandledReporter reporter) {
    State().reporter = std::move(reporter);
}

void Deliver(const std::function<void()>& handlerCall) {
    try {
        handlerCall();
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace fw
