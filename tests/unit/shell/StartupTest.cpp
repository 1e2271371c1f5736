// The start-up sequence: the initialiser table, the early and late start-up steps, and one
// whole run from the entry into the event loop and out again with the quit item.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fw/Application.h"
#include "fw/Exceptions.h"
#include "fw/Menu.h"
#include "fw/Object.h"
#include "fw/Runtime.h"
#include "fw/Timer.h"
#include "fw/Window.h"
#include "fw/testing/Seams.h"
#include "game/CardCanvas.h"
#include "game/FudaCanvas.h"
#include "game/KarutaWindow.h"
#include "game/MessageWindow.h"
#include "game/wrapper_MyTimer.h"
#include "shell/App.h"
#include "shell/FileTypes.h"
#include "shell/MenuBar1.h"
#include "shell/Startup.h"
#include "support/GameTest.h"

namespace {

namespace FileTypes = shell::FileTypes;

// Start-up opens the game window itself; each test starts with no window and the file types
// as the initialisers leave them.
class StartupTest : public gametest::SeamTest {
protected:
    void SetUp() override {
        fw::testing::CloseAllWindows();
        FileTypes::pText = nullptr;
        FileTypes::pAllFileTypes_Init();
    }
};

TEST_F(StartupTest, InitializerTableRunsTheProgramsTenInitialisersInOrder) {
    const std::array<fw::Initializer, 10> expected = {
        &FileTypes::pAllFileTypes_Init,
        &FileTypes::pText_Init,
        &game::KarutaWindow::wrapper_MyTimer::ctblinit,
        &game::CardCanvas::ctblinit,
        &game::FudaCanvas::ctblinit,
        &game::KarutaWindow::ctblinit,
        &shell::MenuBar1::implicitInstance_Init,
        &shell::MenuBar1::ctblinit,
        &shell::App::ctblinit,
        &game::MessageWindow::ctblinit,
    };
    EXPECT_EQ(shell::kInitializers, expected);
    EXPECT_EQ(shell::kPluginTable[0].prefix, nullptr);
}

TEST_F(StartupTest, AfterTheInitialisersEveryClassIsKnownAndTheSetIsEmpty) {
    FileTypes::Initialize();  // a set that the initialisers must empty again
    fw::RuntimePerformInitializers(shell::kInitializers);
    ASSERT_EQ(fw::TakePendingException(), nullptr);
    for (const char* name :
         {"KarutaWindow._wrapper_MyTimer", "KarutaWindow.CardCanvas", "KarutaWindow.FudaCanvas",
          "KarutaWindow.KarutaWindow", "MenuBar1.MenuBar1", "App", "MessageWindow.MessageWindow"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(fw::FindClass(name), nullptr);
    }
    ASSERT_NE(FileTypes::pAllFileTypes, nullptr);
    EXPECT_EQ(FileTypes::pAllFileTypes->Ubound(), -1);
    EXPECT_TRUE(fw::OpenWindows().empty());
}

TEST_F(StartupTest, EarlyStartupRegistersTheFileTypeAndTheAppButOpensNoWindow) {
    fw::Application::SetSupportsHiDPI(false);
    const auto registrations = fw::FileTypeRegistrations().size();
    const auto before = fw::CurrentApplication();

    shell::EarlyStartup();

    EXPECT_TRUE(fw::Application::SupportsHiDPI());
    ASSERT_NE(FileTypes::Text(), nullptr);
    EXPECT_TRUE(FileTypes::Text()->IsRegistered());
    EXPECT_EQ(fw::FileTypeRegistrations().size(), registrations + 1);
    auto app = fw::RuntimeCheckCast<shell::App>(fw::CurrentApplication());
    ASSERT_NE(app, nullptr);
    EXPECT_NE(app, before);
    EXPECT_EQ(app->MenuBar(), shell::MenuBar1::Implicit());
    EXPECT_TRUE(fw::OpenWindows().empty());
}

TEST_F(StartupTest, LateStartupOpensTheGameWindowOnTheAppsMenuBar) {
    shell::EarlyStartup();
    shell::LateStartup();
    const auto windows = fw::OpenWindows();
    ASSERT_EQ(windows.size(), 1u);
    auto window = fw::RuntimeCheckCast<game::KarutaWindow>(windows.front());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow("KarutaWindow.KarutaWindow"), window);
    EXPECT_EQ(window->MenuBar(), fw::CurrentApplication()->MenuBar());
    EXPECT_FALSE(window->MenuBarVisible());
}

// Whatever the loop saw when it first ran.
struct Observed {
    bool ran = false;
    std::vector<std::shared_ptr<fw::Window>> windows;
    std::shared_ptr<fw::Application> app;
    std::shared_ptr<fw::MenuBar> windowBar;
};

TEST_F(StartupTest, TheProgramStartsIntoTheGameWindowAndItsQuitItemEndsTheRunWithZero) {
    const auto registrations = fw::FileTypeRegistrations().size();
    fw::StampFrameworkVersion(0);
    Observed seen;
    // Runs once the event loop does; quits through the game window's own quit item.
    auto probe = std::make_shared<fw::Timer>();
    probe->Action.Attach([&](const fw::ObjectRef&) {
        seen.ran = true;
        seen.windows = fw::OpenWindows();
        seen.app = fw::CurrentApplication();
        if (seen.windows.size() == 1) seen.windowBar = seen.windows.front()->MenuBar();
        auto window = seen.windows.empty()
                          ? nullptr
                          : fw::RuntimeCheckCast<game::KarutaWindow>(seen.windows.front());
        auto quit = window && seen.windowBar ? window->FileQuit() : nullptr;
        if (quit)
            quit->Choose();
        else
            fw::Application::Quit(98);
    });
    probe->SetPeriod(1);
    probe->SetRunMode(fw::Timer::Single);
    auto guard = fw::testing::QuitGuard();

    const wchar_t* commandLine = L"-x \"two words\" かるた";
    const int exitCode = shell::wWinMain(nullptr, nullptr, commandLine, 10);
    guard->SetRunMode(fw::Timer::Off);

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(fw::RuntimeCommandLine(), commandLine);
    EXPECT_DOUBLE_EQ(fw::FrameworkVersion(), 2021.011);
    EXPECT_EQ(fw::InstalledExceptionHelper(), &fw::CallFunctionWithExceptionHandling);
    EXPECT_TRUE(fw::ExternalClassesReady());
    EXPECT_TRUE(fw::RegisteredPlugins().empty());  // the program names no plug-in
    ASSERT_TRUE(seen.ran);
    ASSERT_EQ(seen.windows.size(), 1u);
    EXPECT_EQ(seen.windows.front()->Class().Name(), "KarutaWindow.KarutaWindow");
    EXPECT_EQ(seen.windows.front()->Title(), "Ukisomi");
    ASSERT_NE(fw::RuntimeCheckCast<shell::App>(seen.app), nullptr);
    EXPECT_EQ(seen.app->Version().shortVersion, "1.0");
    EXPECT_EQ(seen.app->MenuBar(), shell::MenuBar1::Implicit());
    EXPECT_EQ(seen.windowBar, seen.app->MenuBar());
    ASSERT_NE(FileTypes::Text(), nullptr);
    ASSERT_EQ(FileTypes::pAllFileTypes->Ubound(), 0);
    EXPECT_EQ((*FileTypes::pAllFileTypes)(0), FileTypes::Text());
    EXPECT_EQ(fw::FileTypeRegistrations().size(), registrations + 1);
    // The finalisers closed the window.
    EXPECT_TRUE(fw::OpenWindows().empty());
    EXPECT_FALSE(seen.windows.front()->IsOpen());
}

TEST_F(StartupTest, AHandlerRaisingWhileTheFinalisersRunIsReportedAndTheQuitStillGivesZero) {
    struct Report {
        std::string className, message;
        std::size_t openWindows;
    };
    std::vector<Report> reports;
    fw::SetUnhandledExceptionReporter([&](const std::string& c, const std::string& m) {
        reports.push_back({c, m, fw::OpenWindows().size()});
    });
    // Due before the loop ends, but fired only by the finalisers' event pass: a timer started
    // in the middle of a timer pass waits for the next pass, and there is none before the quit.
    auto late = std::make_shared<fw::Timer>();
    late->Action.Attach(
        [](const fw::ObjectRef&) { throw fw::NilObjectException("raised in the finalisers"); });
    bool quitChosen = false;
    auto probe = std::make_shared<fw::Timer>();
    probe->Action.Attach([&](const fw::ObjectRef&) {
        auto window = fw::RuntimeCheckCast<game::KarutaWindow>(
            fw::GetImplicitWindow("KarutaWindow.KarutaWindow"));
        if (!window || !window->FileQuit()) {
            fw::Application::Quit(98);
            return;
        }
        late->SetPeriod(1);
        late->SetRunMode(fw::Timer::Single);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        quitChosen = true;
        window->FileQuit()->Choose();
    });
    probe->SetPeriod(1);
    probe->SetRunMode(fw::Timer::Single);
    auto guard = fw::testing::QuitGuard();

    const int exitCode = shell::wWinMain(nullptr, nullptr, L"", 10);
    guard->SetRunMode(fw::Timer::Off);
    fw::SetUnhandledExceptionReporter({});

    EXPECT_TRUE(quitChosen);
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].className, "NilObjectException");
    EXPECT_EQ(reports[0].message, "raised in the finalisers");
    // The quit item leaves the game window open; only the finalisers close it.
    EXPECT_EQ(reports[0].openWindows, 0u);
}

struct TailCase {
    std::vector<const char*> argv;  // argv[0] is the program
    std::wstring tail;
};

TEST(CommandLineTail, JoinsTheArgumentsAsTheWindowsEntryWouldReceiveThem) {
    const TailCase cases[] = {
        {{"ukisomi"}, L""},
        {{"ukisomi", "a"}, L"a"},
        {{"ukisomi", "a", "b"}, L"a b"},
        {{"ukisomi", "two words"}, L"\"two words\""},
        {{"ukisomi", ""}, L"\"\""},
        {{"ukisomi", "say \"hi\""}, L"\"say \\\"hi\\\"\""},
        {{"ukisomi", "C:\\dir\\"}, L"C:\\dir\\"},
        {{"ukisomi", "C:\\my dir\\"}, L"\"C:\\my dir\\\\\""},
        {{"ukisomi", "a\\\\\"b"}, L"\"a\\\\\\\\\\\"b\""},
        {{"ukisomi", "かるた", "百人一首"}, L"かるた 百人一首"},
        {{"ukisomi", "\xF0\x9F\x8E\xB4"}, L"\U0001F3B4"},
    };
    for (const TailCase& c : cases) {
        SCOPED_TRACE(c.argv.size() > 1 ? c.argv[1] : "(none)");
        EXPECT_EQ(shell::CommandLineTail(static_cast<int>(c.argv.size()), c.argv.data()), c.tail);
    }
}

TEST(CommandLineTail, BytesThatAreNoValidUtf8BecomeReplacementCharacters) {
    const TailCase cases[] = {
        {{"ukisomi", "a\xFFz"}, L"a\uFFFDz"},
        {{"ukisomi", "\xE3\x81"}, L"\uFFFD\uFFFD"},                      // cut short
        {{"ukisomi", "\xC0\xAF"}, L"\uFFFD\uFFFD"},                      // overlong
        {{"ukisomi", "\xED\xA0\x80"}, L"\uFFFD\uFFFD\uFFFD"},            // a surrogate
        {{"ukisomi", "\xF4\x90\x80\x80"}, L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {{"ukisomi", "\xE3\x41"}, L"\uFFFDA"},
    };
    for (const TailCase& c : cases) {
        SCOPED_TRACE(c.argv[1]);
        EXPECT_EQ(shell::CommandLineTail(static_cast<int>(c.argv.size()), c.argv.data()), c.tail);
    }
}

}  // namespace
