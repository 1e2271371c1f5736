// The game window with the program's own menu bar: Layout attaches it, hidden, and every
// menu-item accessor finds its item there as the class it casts to.
#include <gtest/gtest.h>

#include "fw/Menu.h"
#include "game/KarutaWindow.h"
#include "shell/MenuBar1.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

// The game window opened once the program's menu bar class is known.
class ProgramMenuBar : public OpenWindowTest {
protected:
    void SetUp() override {
        shell::MenuBar1::ctblinit();
        OpenWindowTest::SetUp();
    }
};

TEST_F(ProgramMenuBar, LayoutAttachesItAndEveryMenuItemAccessorFindsItsItem) {
    EXPECT_EQ(win->MenuBar(), shell::MenuBar1::Implicit());
    EXPECT_FALSE(win->MenuBarVisible());

    for (const auto& [name, get] : MenuAccessors()) {
        SCOPED_TRACE(name);
        const auto item = std::dynamic_pointer_cast<fw::MenuItem>(get(*win));
        ASSERT_TRUE(item);
        EXPECT_EQ(item->Name(), name);
    }
    EXPECT_EQ(win->FileQuit()->Class().Name(), fw::QuitMenuItem::Lookup().Name());
    EXPECT_EQ(win->UntitledMenu3()->Class().Name(), fw::AppMenuItem::Lookup().Name());
}

}  // namespace
}  // namespace window
