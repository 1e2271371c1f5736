// The control and menu-item accessors: each finds its object by name on every call, casts
// it to its framework class, and gives nothing when nothing holds the name.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/Menu.h"
#include "fw/TextEdit.h"
#include "game/KarutaWindow.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

using game::KarutaWindow;

// Every single-control accessor, with the name it looks up.
std::vector<std::pair<std::string, std::function<fw::ObjectRef(const KarutaWindow&)>>>
SingleAccessors() {
    using W = KarutaWindow;
    return {
        {"StaticText1", [](const W& w) { return fw::ObjectRef(w.StaticText1()); }},
        {"StaticText2", [](const W& w) { return fw::ObjectRef(w.StaticText2()); }},
        {"StaticText3", [](const W& w) { return fw::ObjectRef(w.StaticText3()); }},
        {"ScoreFiled", [](const W& w) { return fw::ObjectRef(w.ScoreFiled()); }},
        {"StaticText4", [](const W& w) { return fw::ObjectRef(w.StaticText4()); }},
        {"TotalScoreField", [](const W& w) { return fw::ObjectRef(w.TotalScoreField()); }},
        {"StaticText5", [](const W& w) { return fw::ObjectRef(w.StaticText5()); }},
        {"TimeField", [](const W& w) { return fw::ObjectRef(w.TimeField()); }},
        {"MyTimer", [](const W& w) { return fw::ObjectRef(w.MyTimer()); }},
        {"Separator1", [](const W& w) { return fw::ObjectRef(w.Separator1()); }},
        {"StartButton", [](const W& w) { return fw::ObjectRef(w.StartButton()); }},
        {"OdaiField", [](const W& w) { return fw::ObjectRef(w.OdaiField()); }},
        {"ListBox1", [](const W& w) { return fw::ObjectRef(w.ListBox1()); }},
        {"ListBox2", [](const W& w) { return fw::ObjectRef(w.ListBox2()); }},
        {"ListBox3", [](const W& w) { return fw::ObjectRef(w.ListBox3()); }},
        {"ListBox4", [](const W& w) { return fw::ObjectRef(w.ListBox4()); }},
        {"StaticText6", [](const W& w) { return fw::ObjectRef(w.StaticText6()); }},
        {"KaisuField", [](const W& w) { return fw::ObjectRef(w.KaisuField()); }},
        {"StaticText7", [](const W& w) { return fw::ObjectRef(w.StaticText7()); }},
        {"StaticText8", [](const W& w) { return fw::ObjectRef(w.StaticText8()); }},
        {"HighScoreField", [](const W& w) { return fw::ObjectRef(w.HighScoreField()); }},
        {"ShogoText", [](const W& w) { return fw::ObjectRef(w.ShogoText()); }},
        {"Separator2", [](const W& w) { return fw::ObjectRef(w.Separator2()); }},
        {"MyField", [](const W& w) { return fw::ObjectRef(w.MyField()); }},
        {"MyCanvas", [](const W& w) { return fw::ObjectRef(w.MyCanvas()); }},
        {"Label1", [](const W& w) { return fw::ObjectRef(w.Label1()); }},
    };
}

class ControlAccessors : public OpenWindowTest {};

TEST_F(ControlAccessors, EachFindsItsOwnControlAndTheSameOneTwice) {
    const auto accessors = SingleAccessors();
    EXPECT_EQ(accessors.size(), 26u);
    for (const auto& [name, get] : accessors) {
        SCOPED_TRACE(name);
        const fw::ObjectRef found = get(*win);
        ASSERT_TRUE(found);
        EXPECT_EQ(found, win->ControlByName(name));
        EXPECT_EQ(get(*win), found);
    }
    EXPECT_EQ(win->Controls().size(), 46u) << "an accessor creates nothing";
}

TEST_F(ControlAccessors, TheSetAccessorsFindTheMemberOfTheirSlot) {
    for (std::int64_t slot = 0; slot <= 9; ++slot) {
        auto frame = win->CardCanvas(slot);
        auto face = win->FudaCanvas(slot);
        ASSERT_TRUE(frame && face) << slot;
        EXPECT_EQ(frame->Index(), slot);
        EXPECT_EQ(face->Index(), slot);
        EXPECT_EQ(frame->Class().Name(), "KarutaWindow.CardCanvas");
        EXPECT_EQ(face->Class().Name(), "KarutaWindow.FudaCanvas");
        EXPECT_EQ(win->FudaCanvas(slot), face);
    }
    EXPECT_EQ(win->FudaCanvas(4)->Left(), 467);
    EXPECT_EQ(win->CardCanvas(4)->Left(), 457);
    EXPECT_EQ(win->MyTimer()->Class().Name(), "KarutaWindow._wrapper_MyTimer");
}

TEST_F(ControlAccessors, ANameOrIndexThatNothingHoldsGivesNothing) {
    for (std::int64_t slot : {std::int64_t{-1}, std::int64_t{10}, fw::kNoIndex}) {
        EXPECT_EQ(win->CardCanvas(slot), nullptr) << slot;
        EXPECT_EQ(win->FudaCanvas(slot), nullptr) << slot;
    }
    const KarutaWindow bare;  // made, never constructed: it holds no control
    for (const auto& [name, get] : SingleAccessors()) EXPECT_EQ(get(bare), nullptr) << name;
    EXPECT_EQ(bare.FudaCanvas(0), nullptr);
}

TEST(ControlAccessorCast, AControlOfAnotherClassUnderTheNameRaises) {
    auto bare = std::make_shared<KarutaWindow>();
    bare->AddControl("StaticText1", std::make_shared<fw::TextField>());
    bare->AddControl("FudaCanvas", std::make_shared<fw::TextField>());
    EXPECT_THROW(bare->StaticText1(), fw::IllegalCastException);
    EXPECT_NO_THROW(bare->ScoreFiled());
    auto field = bare->ControlByName("FudaCanvas");
    std::dynamic_pointer_cast<fw::Control>(field)->SetIndex(2);
    EXPECT_THROW(bare->FudaCanvas(2), fw::IllegalCastException);
}

// A bar holding the fourteen names where the program's menu bar holds them, each item of the
// class its accessor casts to.
std::shared_ptr<fw::MenuBar> FourteenItemBar(bool withEditCut = true) {
    auto item = [](const char* name, std::shared_ptr<fw::MenuItem> made) {
        made->SetName(name);
        return made;
    };
    auto plain = [&](const char* name) { return item(name, std::make_shared<fw::MenuItem>()); };
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = plain("FileMenu");
    file->AddMenu(item("FileQuit", std::make_shared<fw::QuitMenuItem>()));
    file->AddMenu(plain("UntitledMenu5"));
    auto edit = plain("EditMenu");
    for (const char* name : {"EditUndo", "UntitledMenu0", "EditCut", "EditCopy", "EditPaste",
                             "EditClear", "UntitledMenu4"})
        if (withEditCut || std::string(name) != "EditCut") edit->AddMenu(plain(name));
    edit->AddMenu(item("UntitledMenu3", std::make_shared<fw::AppMenuItem>()));
    bar->AddMenu(plain("UntitledMenu1"));
    bar->AddMenu(file);
    bar->AddMenu(edit);
    bar->AddMenu(plain("UntitledMenu2"));
    return bar;
}

TEST(MenuItemAccessors, EachFindsItsItemInTheWindowsBarNestedItemsIncluded) {
    auto bare = std::make_shared<KarutaWindow>();
    auto bar = FourteenItemBar();
    bare->SetMenuBar(bar);
    for (const auto& [name, get] : MenuAccessors()) {
        SCOPED_TRACE(name);
        const auto item = std::dynamic_pointer_cast<fw::MenuItem>(get(*bare));
        ASSERT_TRUE(item);
        EXPECT_EQ(item->Name(), name);
        EXPECT_EQ(get(*bare), item);
    }
    EXPECT_EQ(bare->FileQuit()->Class().Name(), fw::QuitMenuItem::Lookup().Name());
    EXPECT_EQ(bare->UntitledMenu3()->Class().Name(), fw::AppMenuItem::Lookup().Name());
}

TEST(MenuItemAccessors, WithoutABarTheyRaiseAndAMissingItemGivesNothing) {
    auto bare = std::make_shared<KarutaWindow>();
    for (const auto& [name, get] : MenuAccessors())
        EXPECT_THROW(get(*bare), fw::NilObjectException) << name;

    bare->SetMenuBar(FourteenItemBar(false));
    EXPECT_EQ(bare->EditCut(), nullptr);
    EXPECT_TRUE(bare->EditCopy());

    // An item of another class under the name fails the cast.
    auto odd = std::make_shared<fw::MenuBar>();
    auto quit = std::make_shared<fw::MenuItem>();
    quit->SetName("FileQuit");
    odd->AddMenu(quit);
    bare->SetMenuBar(odd);
    EXPECT_THROW(bare->FileQuit(), fw::IllegalCastException);
}

}  // namespace
}  // namespace window
