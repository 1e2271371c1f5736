// The game window class: its record, the events it implements, a window just made, the
// implicit instance and what a destroyed window releases.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/Runtime.h"
#include "fw/Window.h"
#include "game/KarutaWindow.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

using game::KarutaWindow;

std::vector<std::string> Names(const std::vector<fw::MemberRecord>& members) {
    std::vector<std::string> names;
    for (const auto& m : members) names.push_back(m.name);
    return names;
}

TEST(WindowClass, IsRegisteredUnderItsFullNameAsAWindow) {
    KarutaWindow::ctblinit();
    const fw::ClassRecord* record = fw::FindClass("KarutaWindow.KarutaWindow");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record, &KarutaWindow::Lookup());
    EXPECT_EQ(record->Super(), &fw::Window::Lookup());
    EXPECT_EQ(KarutaWindow().Class().Name(), "KarutaWindow.KarutaWindow");
}

TEST(WindowClass, MethodTableHasWindowsMembersThenItsOwnInDesignOrder) {
    const auto table = Names(KarutaWindow::Lookup().MethodTable());
    const auto inherited = Names(fw::Window::Lookup().MethodTable());
    ASSERT_GT(table.size(), inherited.size());
    EXPECT_TRUE(std::equal(inherited.begin(), inherited.end(), table.begin()));

    const std::vector<std::string> own(table.begin() + static_cast<long>(inherited.size()),
                                       table.end());
    const std::vector<std::string> expected = {"Layout",
                                               "CreateControls",
                                               "_CreateControls0",
                                               "_CreateControls1",
                                               "CardCanvas",
                                               "FudaCanvas",
                                               "StaticText1",
                                               "StaticText2",
                                               "StaticText3",
                                               "ScoreFiled",
                                               "StaticText4",
                                               "TotalScoreField",
                                               "StaticText5",
                                               "TimeField",
                                               "MyTimer",
                                               "Separator1",
                                               "StartButton",
                                               "OdaiField",
                                               "ListBox1",
                                               "ListBox2",
                                               "ListBox3",
                                               "ListBox4",
                                               "StaticText6",
                                               "KaisuField",
                                               "StaticText7",
                                               "StaticText8",
                                               "HighScoreField",
                                               "ShogoText",
                                               "Separator2",
                                               "MyField",
                                               "MyCanvas",
                                               "Label1",
                                               "CardCanvas_Open",
                                               "CardCanvas_Paint",
                                               "FudaCanvas_MouseDown",
                                               "FudaCanvas_Open",
                                               "FudaCanvas_Paint",
                                               "ScoreFiled_Open",
                                               "TotalScoreField_Open",
                                               "MyTimer_Action",
                                               "StartButton_Action",
                                               "KaisuField_Open",
                                               "HighScoreField_Open",
                                               "UntitledMenu2",
                                               "EditMenu",
                                               "UntitledMenu3",
                                               "UntitledMenu4",
                                               "EditClear",
                                               "EditPaste",
                                               "EditCopy",
                                               "EditCut",
                                               "UntitledMenu0",
                                               "EditUndo",
                                               "FileMenu",
                                               "UntitledMenu5",
                                               "FileQuit",
                                               "UntitledMenu1",
                                               "Event_Open",
                                               "Fuda"};
    EXPECT_EQ(own, expected);
}

TEST(WindowClass, OnlyTheTwoConstructionMethodsAreHidden) {
    std::vector<std::string> hidden;
    for (const auto& m : KarutaWindow::Lookup().OwnMembers())
        if (m.IsHidden()) hidden.push_back(m.name);
    EXPECT_EQ(hidden, (std::vector<std::string>{"_CreateControls0", "_CreateControls1"}));
}

TEST(WindowClass, ImplementsOpenLayoutAndCreateControlsOnly) {
    const KarutaWindow window;
    for (const char* event : {"Open", "Layout", "CreateControls"})
        EXPECT_TRUE(window.IsEventImplemented(event)) << event;
    for (const char* event : {"Close", "CancelClose", "Activate", "Resized", "Paint", "Action", ""})
        EXPECT_FALSE(window.IsEventImplemented(event)) << event;
}

TEST(WindowClass, AWindowJustMadeHoldsZeroValuesAndFreshArrays) {
    auto made = fw::RuntimeCheckCast<KarutaWindow>(fw::RuntimeNewObject(KarutaWindow::Lookup()));
    ASSERT_TRUE(made);
    const KarutaWindow& w = *made;
    EXPECT_EQ(w.OdaiNum, 0);
    EXPECT_FALSE(w.Seikai);
    EXPECT_EQ(w.MyPoint, 0);
    EXPECT_EQ(w.TotalPoint, 0);
    EXPECT_EQ(w.OKtime, 0.0);
    EXPECT_EQ(w.StartTime, 0.0);
    EXPECT_EQ(w.MyTime, 0.0);
    EXPECT_FALSE(w.GameStarted);
    EXPECT_EQ(w.MyFont, "");
    EXPECT_EQ(w.Kaisu, 0);
    EXPECT_EQ(w.shogo, "");
    EXPECT_EQ(w.HighScore, 0);
    EXPECT_FALSE(w.games);

    ASSERT_TRUE(w.FudaNum && w.OdaiString && w.r);
    EXPECT_EQ(w.FudaNum->Ubound(), 9);
    EXPECT_EQ(w.OdaiString->Ubound(), 99);
    EXPECT_EQ(w.r->Ubound(), 99);
    for (std::int64_t i = 0; i <= 9; ++i) EXPECT_EQ((*w.FudaNum)(i), 0);
    for (std::int64_t i = 0; i <= 99; ++i) {
        EXPECT_EQ((*w.OdaiString)(i), "");
        EXPECT_EQ((*w.r)(i), 0);
    }
    EXPECT_THROW((*w.FudaNum)(10), fw::OutOfBoundsException);
    EXPECT_THROW((*w.r)(-1), fw::OutOfBoundsException);
    EXPECT_FALSE(w.IsOpen());
    EXPECT_TRUE(w.Controls().empty());
}

class ImplicitInstance : public OpenWindowTest {};

TEST_F(ImplicitInstance, IsTheLiveWindowUntilItCloses) {
    EXPECT_EQ(fw::GetImplicitWindow("KarutaWindow.KarutaWindow"), win);
    EXPECT_TRUE(win->IsOpen());
    const auto controls = win->Controls().size();
    win->HighScore = 40;

    EXPECT_EQ(KarutaWindow::Implicit(), win);
    EXPECT_EQ(fw::RuntimeImplicitInstance("KarutaWindow.KarutaWindow"), win);
    EXPECT_EQ(win->Controls().size(), controls);
    EXPECT_EQ(win->HighScore, 40);
    EXPECT_EQ(fw::OpenWindows().size(), 1u);
}

TEST_F(ImplicitInstance, ClosingReleasesTheWindowAndANewOneStartsAfresh) {
    std::weak_ptr<KarutaWindow> first = win;
    std::weak_ptr<fw::Array<std::int64_t>> fudaNum = win->FudaNum;
    std::weak_ptr<fw::Array<std::string>> poems = win->OdaiString;
    std::weak_ptr<fw::Array<std::int64_t>> order = win->r;
    win->HighScore = 55;
    win->shogo = "大歌聖";

    win->Close();
    win.reset();
    fw::ProcessEvents();
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(fudaNum.expired());
    EXPECT_TRUE(poems.expired());
    EXPECT_TRUE(order.expired());
    EXPECT_EQ(fw::GetImplicitWindow("KarutaWindow.KarutaWindow"), nullptr);

    win = KarutaWindow::Implicit();
    EXPECT_EQ(win->HighScore, 0);
    EXPECT_EQ(win->shogo, "なし");
}

}  // namespace
}  // namespace window
