// Closing the game window while the result window is open: the game window goes, with all it
// holds; the result window stays, shows its result, and its OK still closes it.
#include <memory>

#include "fw/Runtime.h"
#include "fw/Window.h"
#include "unit/hardening/GameInvariants.h"
#include "unit/hardening/HardeningTest.h"

namespace hardening {
namespace {

TEST_F(HardeningTest, ClosingTheGameWindowLeavesTheResultWindowWorking) {
    for (int round = 1; round <= 10; ++round) {
        Press();
        Wait(2.0);
        ClickSlot(RightSlot());
    }
    ASSERT_EQ(OpenResultWindows(), 1u);
    const std::weak_ptr<game::MessageWindow> result = ResultWindow();
    EXPECT_EQ(result.lock()->Message()->Text(), ResultTextFor(180));

    const std::weak_ptr<game::KarutaWindow> closed = win;
    const std::weak_ptr<fw::Canvas> face = win->FudaCanvas(0);
    win->ClosedByUser();
    win.reset();
    fw::ProcessEvents();
    EXPECT_TRUE(closed.expired()) << "the closed game window is still held";
    EXPECT_TRUE(face.expired()) << "a control of the closed game window is still held";
    ASSERT_FALSE(result.expired());
    EXPECT_TRUE(result.lock()->IsOpen());
    EXPECT_EQ(result.lock()->Message()->Text(), ResultTextFor(180));

    PressOK();
    EXPECT_TRUE(result.expired()) << "OK left the result window held";
    EXPECT_TRUE(fw::OpenWindows().empty());

    // A game window made afterwards starts from nothing.
    win = game::KarutaWindow::Implicit();
    EXPECT_EQ(win->HighScore, 0);
    EXPECT_EQ(win->Kaisu, 0);
    EXPECT_EQ(win->shogo, "なし");
    Press();
    GameInvariants().Check(*win, "a new game window after the old one closed");
}

}  // namespace
}  // namespace hardening
