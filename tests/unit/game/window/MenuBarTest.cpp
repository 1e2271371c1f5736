// The game window with the program's own menu bar: Layout attaches it, hidden, and every
// menu-item accessor finds its item there as the class it casts to.
#include <gtest/gtest.h>

#include "fw/Menu.h"
#include "fw/Picture.h"
#include "fw/Runtime.h"
#include "fw/Window.h"
#include "game/KarutaWindow.h"
#include "shell/MenuBar1.h"

namespace window {
namespace {

TEST(ProgramMenuBar, LayoutAttachesItAndEveryMenuItemAccessorFindsItsItem) {
    shell::MenuBar1::ctblinit();
    fw::Picture::SetAppFolders({UKISOMI_TEST_PICTURE_DIR});
    auto win = game::KarutaWindow::Implicit();
    ASSERT_TRUE(win);
    EXPECT_EQ(win->MenuBar(), shell::MenuBar1::Implicit());
    EXPECT_FALSE(win->MenuBarVisible());

    const std::pair<const char*, std::shared_ptr<fw::MenuItem>> items[] = {
        {"UntitledMenu2", win->UntitledMenu2()}, {"EditMenu", win->EditMenu()},
        {"UntitledMenu3", win->UntitledMenu3()}, {"UntitledMenu4", win->UntitledMenu4()},
        {"EditClear", win->EditClear()},         {"EditPaste", win->EditPaste()},
        {"EditCopy", win->EditCopy()},           {"EditCut", win->EditCut()},
        {"UntitledMenu0", win->UntitledMenu0()}, {"EditUndo", win->EditUndo()},
        {"FileMenu", win->FileMenu()},           {"UntitledMenu5", win->UntitledMenu5()},
        {"FileQuit", win->FileQuit()},           {"UntitledMenu1", win->UntitledMenu1()},
    };
    for (const auto& [name, item] : items) {
        ASSERT_TRUE(item) << name;
        EXPECT_EQ(item->Name(), name);
    }
    EXPECT_EQ(win->FileQuit()->Class().Name(), fw::QuitMenuItem::Lookup().Name());
    EXPECT_EQ(win->UntitledMenu3()->Class().Name(), fw::AppMenuItem::Lookup().Name());

    win->Close();
    win.reset();
    fw::ProcessEvents();
    fw::Picture::SetAppFolders({});
}

}  // namespace
}  // namespace window
