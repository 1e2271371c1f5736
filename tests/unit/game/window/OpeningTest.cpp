// What the window's own Open leaves: its working size, the reset state, the title, the 100
// prompt poems read from the list boxes, and the four fonts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/KarutaWindow.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

class Opening : public OpenWindowTest {};

TEST_F(Opening, SetsTheWorkingSizeTheStartingStateAndTheTitle) {
    EXPECT_EQ(win->Width(), 570);
    EXPECT_EQ(win->Height(), 510);
    EXPECT_EQ(win->MyPoint, 0);
    EXPECT_EQ(win->TotalPoint, 0);
    EXPECT_EQ(win->HighScore, 0);
    EXPECT_EQ(win->Kaisu, 0);
    EXPECT_EQ(win->MyFont, "平成明朝");
    EXPECT_EQ(win->MyFont.size(), 12u);
    EXPECT_EQ(win->shogo, "なし");
    EXPECT_EQ(win->ShogoText()->Text(), "なし");
    // Nothing else of the game moves.
    EXPECT_FALSE(win->GameStarted);
    EXPECT_FALSE(win->games);
    EXPECT_EQ(win->OdaiNum, 0);
    for (std::int64_t i = 0; i <= 9; ++i) EXPECT_EQ((*win->FudaNum)(i), 0);
}

TEST_F(Opening, LoadsTheHundredPromptPoemsFromTheTwoListBoxes) {
    const auto& poems = *win->OdaiString;
    ASSERT_EQ(poems.Ubound(), 99);
    const std::pair<std::int64_t, const char*> known[] = {
        {0, "ほのぼのとはるこそそらにきにけらし　あめのかぐやまかすみたなびく"},
        {49, "しのぶるにこころのすきはなけれども　なほもるものはなみだなりけり"},
        {50, "ひとしれぬこひにわがみはしずめども　みるめにうくはなみだなりけり"},
        {99, "やみはれてこころのそらにすむつきは　にしのやまべやちかくなるらむ"},
    };
    for (const auto& [card, poem] : known) EXPECT_EQ(poems(card), poem) << card;
    EXPECT_EQ(poems(0), win->ListBox1()->List(0));
    EXPECT_EQ(poems(49), win->ListBox1()->List(49));
    EXPECT_EQ(poems(50), win->ListBox3()->List(0));
    EXPECT_EQ(poems(99), win->ListBox3()->List(49));

    const std::string space = "\xE3\x80\x80";  // U+3000
    std::set<std::string> distinct;
    for (std::int64_t p = 0; p <= 99; ++p) {
        SCOPED_TRACE("poem " + std::to_string(p));
        const std::string& poem = poems(p);
        const auto first = poem.find(space);
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(poem.find(space, first + 1), std::string::npos) << "exactly one U+3000";
        EXPECT_EQ(poem.find_first_of("\r\n"), std::string::npos);
        const std::int64_t characters = gametest::CountCharacters(poem);
        EXPECT_GE(characters, 31);
        EXPECT_LE(characters, 34);
        distinct.insert(poem);
    }
    EXPECT_EQ(distinct.size(), 100u);
}

TEST_F(Opening, GivesTheOpeningFontToFourControlsOnly) {
    EXPECT_EQ(win->OdaiField()->FontName(), "平成明朝");
    EXPECT_EQ(win->StartButton()->FontName(), "平成明朝");
    EXPECT_EQ(win->StaticText1()->FontName(), "平成明朝");
    EXPECT_EQ(win->StaticText2()->FontName(), "平成明朝");
    EXPECT_EQ(win->StaticText3()->FontName(), "MS 明朝");
    EXPECT_EQ(win->ShogoText()->FontName(), "平成明朝\r\n");
}

}  // namespace
}  // namespace window
