#include "unit/hardening/HardeningTest.h"

#include "fw/Date.h"
#include "fw/Exceptions.h"
#include "fw/Picture.h"
#include "fw/Random.h"
#include "fw/Runtime.h"
#include "fw/Window.h"
#include "fw/testing/Player.h"

namespace hardening {

void HardeningTest::SetUp() {
    fw::Picture::SetAppFolders({UKISOMI_TEST_PICTURE_DIR});
    fw::Date::SetClock([this] {
        if (clockRaises_) throw fw::RuntimeException("the clock cannot be read");
        return now_;
    });
    fw::Random::SetSeedSource([this] { return nextSeed_++; });
    fw::SetUnhandledExceptionReporter(
        [this](const std::string& className, const std::string& message) {
            unhandled_.push_back(className + ": " + message);
        });
    win = game::KarutaWindow::Implicit();
    ASSERT_TRUE(win);
}

void HardeningTest::TearDown() {
    for (const std::string& e : unhandled_) ADD_FAILURE() << "unhandled exception: " << e;
    for (const auto& w : fw::OpenWindows()) w->Close();
    win.reset();
    fw::ProcessEvents();
    fw::SetUnhandledExceptionReporter({});
    fw::Random::SetSeedSource({});
    fw::Date::SetClock({});
    fw::Picture::SetAppFolders({});
}

void HardeningTest::Press() { fw::testing::Click(*win->StartButton()); }

void HardeningTest::ClickSlot(std::int64_t slot) { fw::testing::Click(*win->FudaCanvas(slot)); }

void HardeningTest::Tick() { fw::testing::Tick(*win->MyTimer()); }

void HardeningTest::PressOK() {
    auto result = ResultWindow();
    ASSERT_TRUE(result) << "no result window to press OK on";
    fw::testing::Click(*result->OKButton());
    fw::ProcessEvents();
}

std::int64_t HardeningTest::RightSlot() const {
    for (std::int64_t s = 0; s <= 9; ++s)
        if ((*win->FudaNum)(s) == win->OdaiNum) return s;
    ADD_FAILURE() << "the prompt's card " << win->OdaiNum << " is not on the board";
    return 0;
}

std::shared_ptr<game::MessageWindow> HardeningTest::ResultWindow() const {
    return std::dynamic_pointer_cast<game::MessageWindow>(
        fw::GetImplicitWindow("MessageWindow.MessageWindow"));
}

std::size_t HardeningTest::OpenResultWindows() const {
    std::size_t count = 0;
    for (const auto& w : fw::OpenWindows())
        if (std::dynamic_pointer_cast<game::MessageWindow>(w)) ++count;
    return count;
}

std::vector<std::string> HardeningTest::TakeUnhandled() { return std::exchange(unhandled_, {}); }

}  // namespace hardening
