#include "support/GameTest.h"

#include "fw/Runtime.h"
#include "fw/testing/Player.h"
#include "game/CardPictures.h"
#include "game/PoemData.h"
#include "game/testing/Play.h"

namespace gametest {

void SeamTest::TearDown() {
    for (const std::string& e : TakeUnhandled()) ADD_FAILURE() << "unhandled exception: " << e;
    fw::testing::CloseAllWindows();
}

void GameTest::SetUp() {
    fw::Picture::SetAppFolders({UKISOMI_TEST_PICTURE_DIR});
    win = game::KarutaWindow::Implicit();
    ASSERT_TRUE(win);
}

void GameTest::TearDown() {
    win.reset();
    SeamTest::TearDown();
    fw::Picture::SetAppFolders({});
}

void GameTest::Press() { fw::testing::Click(*win->StartButton()); }

void GameTest::ClickSlot(std::int64_t slot) {
    const auto face = win ? win->FudaCanvas(slot) : nullptr;
    if (!face) {
        ADD_FAILURE() << "no card face to click on slot " << slot;
        return;
    }
    fw::testing::Click(*face);
}

void GameTest::Tick() { fw::testing::Tick(*win->MyTimer()); }

void GameTest::PressOK() {
    auto result = ResultWindow();
    ASSERT_TRUE(result) << "no result window to press OK on";
    fw::testing::Click(*result->OKButton());
    fw::ProcessEvents();
}

std::int64_t GameTest::RightSlot() const {
    const auto slot = game::testing::RightSlot(*win);
    if (!slot) ADD_FAILURE() << "the prompt's card is not on the board";
    return slot.value_or(0);
}

std::int64_t GameTest::WrongSlot() const { return (RightSlot() + 3) % 10; }

void GameTest::PlayRound(double seconds) {
    Press();
    Wait(seconds);
    ClickSlot(RightSlot());
}

std::shared_ptr<game::MessageWindow> GameTest::ResultWindow() const {
    return game::testing::ResultWindow();
}

std::string GameTest::ResultText() const {
    auto result = ResultWindow();
    return result ? result->Message()->Text() : std::string("(no result window)");
}

std::size_t GameTest::OpenResultWindows() const { return game::testing::OpenResultWindows(); }

std::shared_ptr<fw::Picture> CardPicture(std::int64_t n) {
    return game::kCardPictures.at(static_cast<std::size_t>(n))();
}

std::int64_t CountCharacters(std::string_view utf8) {
    std::int64_t count = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xc0) != 0x80) ++count;
    return count;
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

}  // namespace gametest
