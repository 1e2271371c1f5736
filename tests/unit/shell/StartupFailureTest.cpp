// Start-up that fails: an exception from an initialiser or from the early start-up goes to
// the default handler, the rest of start-up and the event loop are skipped, and the run still
// ends through the finalisers with RuntimeExit's code. A failed start-up gives exit code 1 only
// in a process whose event loop never ran, so these tests have a binary of their own.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fw/Application.h"
#include "fw/Exceptions.h"
#include "fw/FileType.h"
#include "fw/Runtime.h"
#include "fw/Timer.h"
#include "fw/Window.h"
#include "shell/FileTypes.h"
#include "shell/Startup.h"
#include "support/GameTest.h"

namespace {

namespace FileTypes = shell::FileTypes;

// What the default handler is handed goes to the fixture's seams (TakeUnhandled).
class StartupFailureTest : public gametest::SeamTest {
protected:
    void SetUp() override {
        fw::StampFrameworkVersion(0);
        fw::Application::SetSupportsHiDPI(false);
        appBefore = fw::CurrentApplication();
        registrationsBefore = fw::FileTypeRegistrations().size();
        // Would the loop run, this notes it and ends it; the period outlasts the failed start.
        loopProbe->Action.Attach([this](const fw::ObjectRef&) {
            loopRan = true;
            fw::Application::Quit(0);
        });
        loopProbe->SetPeriod(3000);
        loopProbe->SetRunMode(fw::Timer::Single);
    }
    void TearDown() override {
        loopProbe->SetRunMode(fw::Timer::Off);
        SeamTest::TearDown();
    }

    // The table with one entry replaced.
    static std::vector<fw::Initializer> TableWith(std::size_t index, fw::Initializer replacement) {
        std::vector<fw::Initializer> table(shell::kInitializers.begin(),
                                           shell::kInitializers.end());
        table.at(index) = replacement;
        return table;
    }

    void ExpectNothingStartedAfter(bool earlyStartupBegan) {
        EXPECT_FALSE(loopRan);
        EXPECT_TRUE(fw::OpenWindows().empty());
        EXPECT_EQ(fw::CurrentApplication(), appBefore);
        EXPECT_EQ(fw::FileTypeRegistrations().size(), registrationsBefore);
        EXPECT_EQ(fw::FrameworkVersion(), earlyStartupBegan ? 2021.011 : 0.0);
        EXPECT_EQ(fw::Application::SupportsHiDPI(), earlyStartupBegan);
    }

    std::shared_ptr<fw::Application> appBefore;
    std::size_t registrationsBefore = 0;
    std::shared_ptr<fw::Timer> loopProbe = std::make_shared<fw::Timer>();
    bool loopRan = false;
};

TEST_F(StartupFailureTest, AnInitialiserThatThrowsEndsStartUpBeforeMainsFirstStep) {
    const auto table =
        TableWith(2, [] { throw fw::OutOfBoundsException("an initialiser failed"); });
    const int exitCode = shell::RunProgram(table, nullptr, nullptr, L"", 10);
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(TakeUnhandled(),
              std::vector<std::string>{"OutOfBoundsException: an initialiser failed"});
    ExpectNothingStartedAfter(false);
}

TEST_F(StartupFailureTest, AnEarlyStartupFailureSkipsTheAppTheWindowAndTheLoop) {
    // A set without its array: the file types fail, before the application object is made.
    const auto table = TableWith(0, [] { FileTypes::pAllFileTypes = nullptr; });
    const int exitCode = shell::RunProgram(table, nullptr, nullptr, L"", 10);
    EXPECT_EQ(exitCode, 1);
    const auto reported = TakeUnhandled();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_TRUE(reported[0].starts_with("NilObjectException: ")) << reported[0];
    ExpectNothingStartedAfter(true);
    ASSERT_NE(FileTypes::Text(), nullptr);
    EXPECT_FALSE(FileTypes::Text()->IsRegistered());
}

TEST_F(StartupFailureTest, ADefaultHandlerThatThrowsStillEndsTheRunWithTheExitCode) {
    // Counted where it outlives the test: the handler stays installed until the fixture goes.
    const auto reports = std::make_shared<std::size_t>(0);
    fw::SetUnhandledExceptionReporter([reports](const std::string&, const std::string&) {
        ++*reports;
        throw std::runtime_error("the handler failed too");
    });
    const auto table =
        TableWith(2, [] { throw fw::IllegalCastException("an initialiser failed"); });
    int exitCode = -1;
    EXPECT_NO_THROW(exitCode = shell::RunProgram(table, nullptr, nullptr, L"", 10));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(*reports, 1u);
    ExpectNothingStartedAfter(false);
}

}  // namespace
