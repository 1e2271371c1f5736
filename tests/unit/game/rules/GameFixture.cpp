#include "unit/game/rules/GameFixture.h"

#include "fw/Date.h"
#include "fw/Exceptions.h"
#include "fw/Random.h"
#include "fw/Runtime.h"
#include "fw/Window.h"
#include "fw/testing/Player.h"
#include "game/CardPictures.h"
#include "game/PoemData.h"

namespace rules {

void GameTest::SetUp() {
    fw::Picture::SetAppFolders({UKISOMI_TEST_PICTURE_DIR});
    fw::Date::SetClock([this] {
        if (clockRaises_) throw fw::RuntimeException("the clock cannot be read");
        return now_;
    });
    InstallSeedSource();
    fw::SetUnhandledExceptionReporter(
        [this](const std::string& className, const std::string& message) {
            unhandled_.push_back(className + ": " + message);
        });
    win = game::KarutaWindow::Implicit();
    ASSERT_TRUE(win);
}

void GameTest::TearDown() {
    for (const std::string& e : unhandled_) ADD_FAILURE() << "unhandled exception: " << e;
    for (const auto& w : fw::OpenWindows()) w->Close();
    win.reset();
    fw::ProcessEvents();
    fw::SetUnhandledExceptionReporter({});
    fw::Random::SetSeedSource({});
    fw::Date::SetClock({});
    fw::Picture::SetAppFolders({});
}

void GameTest::InstallSeedSource() {
    fw::Random::SetSeedSource([this] { return nextSeed_++; });
}

std::int64_t GameTest::FirstDraw(std::uint64_t seed, std::int64_t low, std::int64_t high) {
    fw::Random::SetSeedSource([seed] { return seed; });
    const std::int64_t drawn = fw::Random().InRange(low, high);
    InstallSeedSource();
    return drawn;
}

void GameTest::Press() { fw::testing::Click(*win->StartButton()); }

void GameTest::ClickSlot(std::int64_t slot) { fw::testing::Click(*win->FudaCanvas(slot)); }

void GameTest::Tick() { fw::testing::Tick(*win->MyTimer()); }

void GameTest::PressOK() {
    auto result = ResultWindow();
    ASSERT_TRUE(result) << "no result window to press OK on";
    fw::testing::Click(*result->OKButton());
    fw::ProcessEvents();
}

std::int64_t GameTest::RightSlot() const {
    for (std::int64_t s = 0; s <= 9; ++s)
        if ((*win->FudaNum)(s) == win->OdaiNum) return s;
    ADD_FAILURE() << "the prompt's card is not on the board";
    return 0;
}

std::int64_t GameTest::WrongSlot() const { return (RightSlot() + 3) % 10; }

void GameTest::PlayRound(double seconds) {
    Press();
    Wait(seconds);
    ClickSlot(RightSlot());
}

std::shared_ptr<game::MessageWindow> GameTest::ResultWindow() const {
    auto live = fw::GetImplicitWindow("MessageWindow.MessageWindow");
    return std::dynamic_pointer_cast<game::MessageWindow>(live);
}

std::string GameTest::ResultText() const {
    auto result = ResultWindow();
    return result ? result->Message()->Text() : std::string("(no result window)");
}

std::size_t GameTest::OpenResultWindows() const {
    std::size_t count = 0;
    for (const auto& w : fw::OpenWindows())
        if (std::dynamic_pointer_cast<game::MessageWindow>(w)) ++count;
    return count;
}

std::shared_ptr<fw::Picture> CardPicture(std::int64_t n) {
    return game::kCardPictures.at(static_cast<std::size_t>(n))();
}

std::string FirstCharacters(const std::string& text, std::int64_t count) {
    std::string out;
    std::int64_t taken = 0;
    for (const std::string& c : game::SplitCharacters(text)) {
        if (taken++ >= count) break;
        out += c;
    }
    return out;
}

}  // namespace rules
