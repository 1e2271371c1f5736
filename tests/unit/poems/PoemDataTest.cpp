// The poem table: the list-box values byte for byte, the rows they hold, and the text
// helpers the card pictures are drawn with.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/PoemData.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\u3000";

std::u32string CodePoints(std::string_view utf8) {
    std::u32string out;
    for (const auto& ch : game::SplitCharacters(utf8)) {
        const auto* b = reinterpret_cast<const unsigned char*>(ch.data());
        switch (ch.size()) {
            case 1:
                out += b[0];
                break;
            case 2:
                out += char32_t((b[0] & 0x1F) << 6 | (b[1] & 0x3F));
                break;
            case 3:
                out += char32_t((b[0] & 0x0F) << 12 | (b[1] & 0x3F) << 6 | (b[2] & 0x3F));
                break;
            default:
                out += char32_t((b[0] & 0x07) << 18 | (b[1] & 0x3F) << 12 | (b[2] & 0x3F) << 6 |
                                (b[3] & 0x3F));
        }
    }
    return out;
}

bool IsHiragana(char32_t c) { return c >= U'\u3041' && c <= U'\u3093'; }

std::size_t Length(std::string_view utf8) { return game::SplitCharacters(utf8).size(); }

std::string WithoutSpace(std::string poem) {
    poem.erase(poem.find(kIdeographicSpace), kIdeographicSpace.size());
    return poem;
}

struct ListBoxValue {
    const char* name;
    std::string_view value;
    std::size_t bytes;
    bool endsWithLineEnd;
};

const ListBoxValue kValues[] = {
    {"ListBox1", game::kListBox1Rows, 4942, true},
    {"ListBox2", game::kListBox2Rows, 2222, false},
    {"ListBox3", game::kListBox3Rows, 4948, true},
    {"ListBox4", game::kListBox4Rows, 2213, false},
};

TEST(ListBoxValues, HaveTheirDesignLengthAndFiftyRows) {
    for (const auto& box : kValues) {
        SCOPED_TRACE(box.name);
        EXPECT_EQ(box.value.size(), box.bytes);
        EXPECT_EQ(box.value.ends_with("\r\n"), box.endsWithLineEnd);
        EXPECT_EQ(game::ListBoxRows(box.value).size(), 50u);
        // Every CR and LF belongs to a row separator: no stray control character.
        std::size_t lineEnds = 0;
        for (std::size_t i = 0; i < box.value.size(); ++i) {
            const auto c = static_cast<unsigned char>(box.value[i]);
            if (c == '\r') {
                ASSERT_LT(i + 1, box.value.size());
                EXPECT_EQ(box.value[i + 1], '\n');
                ++lineEnds;
            } else if (c == '\n') {
                EXPECT_EQ(box.value[i - 1], '\r');
            } else {
                EXPECT_GE(c, 0x20) << "control byte at " << i;
            }
        }
        EXPECT_EQ(lineEnds, box.endsWithLineEnd ? 50u : 49u);
    }
}

TEST(ListBoxValues, PoemBoxesHaveTheirCharacterCounts) {
    EXPECT_EQ(Length(game::kListBox1Rows), 1714u);
    EXPECT_EQ(Length(game::kListBox3Rows), 1716u);
}

TEST(PromptPoems, FollowTheRowForm) {
    const auto poems = game::PromptPoems();
    ASSERT_EQ(poems.size(), 100u);
    std::map<std::size_t, int> byLength;
    for (std::size_t p = 0; p < poems.size(); ++p) {
        SCOPED_TRACE("poem " + std::to_string(p));
        const auto text = CodePoints(poems[p]);
        std::size_t spaces = 0, upper = 0;
        for (const char32_t c : text) {
            if (c == U'\u3000') {
                ++spaces;
            } else {
                EXPECT_TRUE(IsHiragana(c)) << "U+" << std::hex << std::uint32_t(c);
                if (spaces == 0) ++upper;
            }
        }
        EXPECT_EQ(spaces, 1u);
        EXPECT_GE(upper, 16u);
        EXPECT_LE(upper, 19u);
        const auto lower = Length(game::LowerPhrase(poems[p]));
        EXPECT_EQ(upper + 1 + lower, text.size());
        EXPECT_GE(lower, 13u);
        EXPECT_LE(lower, 16u);
        ++byLength[text.size()];
    }
    EXPECT_EQ(byLength, (std::map<std::size_t, int>{{31, 8}, {32, 63}, {33, 20}, {34, 9}}));
    EXPECT_EQ(std::set<std::string>(poems.begin(), poems.end()).size(), 100u);
}

TEST(PromptPoems, FirstAndLastOfEachBox) {
    const auto poems = game::PromptPoems();
    ASSERT_EQ(poems.size(), 100u);
    EXPECT_EQ(poems[0], "ほのぼのとはるこそそらにきにけらし　あめのかぐやまかすみたなびく");
    EXPECT_EQ(poems[49], "しのぶるにこころのすきはなけれども　なほもるものはなみだなりけり");
    EXPECT_EQ(poems[50], "ひとしれぬこひにわがみはしずめども　みるめにうくはなみだなりけり");
    EXPECT_EQ(poems[99], "やみはれてこころのそらにすむつきは　にしのやまべやちかくなるらむ");
    EXPECT_EQ(game::LowerPhrase(poems[35]), "なほながきよるのゆめにぞありける");
}

TEST(PhraseRows, AreHiraganaOfTheirBoxLengths) {
    const std::pair<std::string_view, std::map<std::size_t, int>> boxes[] = {
        {game::kListBox2Rows, {{14, 43}, {15, 6}, {16, 1}}},
        {game::kListBox4Rows, {{14, 45}, {15, 5}}},
    };
    for (const auto& [value, expected] : boxes) {
        std::map<std::size_t, int> byLength;
        for (const auto& row : game::ListBoxRows(value)) {
            const auto text = CodePoints(row);
            for (const char32_t c : text) EXPECT_TRUE(IsHiragana(c)) << row;
            ++byLength[text.size()];
        }
        EXPECT_EQ(byLength, expected);
    }
}

// Each phrase row is taken from the end of the poem of the same card number, so that it is
// the lower phrase wherever the box's row lengths allow.
TEST(PhraseRows, AreTheEndsOfTheirPoems) {
    const auto poems = game::PromptPoems();
    auto rows = game::ListBoxRows(game::kListBox2Rows);
    for (auto& row : game::ListBoxRows(game::kListBox4Rows)) rows.push_back(row);
    ASSERT_EQ(rows.size(), poems.size());
    int lowerPhrases = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_TRUE(WithoutSpace(poems[r]).ends_with(rows[r])) << "row " << r;
        if (rows[r] == game::LowerPhrase(poems[r])) ++lowerPhrases;
    }
    EXPECT_EQ(lowerPhrases, 90);
}

TEST(ListBoxRows, SplitAtCrLfOnly) {
    const std::pair<std::string_view, std::vector<std::string>> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\rb\nc", {"a\rb\nc"}},
    };
    for (const auto& [value, rows] : cases) EXPECT_EQ(game::ListBoxRows(value), rows) << value;
}

TEST(LowerPhrase, IsTheTextAfterTheFirstIdeographicSpace) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"あい　うえ", "うえ"},
        {"あい　うえ　お", "うえ　お"},
        {"あい うえ", ""},  // an ASCII blank is no phrase break
        {"あいうえ", ""},
        {"あい　", ""},
        {"", ""},
    };
    for (const auto& [poem, lower] : cases) EXPECT_EQ(game::LowerPhrase(poem), lower) << poem;
}

TEST(SplitCharacters, KeepsSequencesWholeAndBadBytesApart) {
    const std::pair<std::string_view, std::vector<std::string>> cases[] = {
        {"", {}},
        {"aé　😀", {"a", "é", "　", "😀"}},
        {"あ\xE3\x81", {"あ", "\xE3", "\x81"}},  // cut short at the end
        {"\x81あ", {"\x81", "あ"}},              // stray continuation byte
        {"\xC0\xAF", {"\xC0", "\xAF"}},          // overlong lead byte
        {"\xE3"
         "a\x80",
         {"\xE3", "a", "\x80"}},  // lead byte without its continuation
        {"\xF5\x80\x80\x80", {"\xF5", "\x80", "\x80", "\x80"}},  // beyond U+10FFFF
    };
    for (const auto& [text, characters] : cases) EXPECT_EQ(game::SplitCharacters(text), characters);
}

}  // namespace
