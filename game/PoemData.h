// The 100 prompt poems and the phrase rows, as the design values of the game window's
// four list boxes, with the few text helpers that reading them takes. Depends on the
// standard library alone, so that the card-picture tool draws from the same table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace game {

// InitialValue of ListBox1: prompt poems 0 to 49, each row followed by CR LF.
extern const std::string_view kListBox1Rows;
// InitialValue of ListBox3: prompt poems 50 to 99, each row followed by CR LF.
extern const std::string_view kListBox3Rows;
// InitialValue of ListBox2 and ListBox4: 50 hiragana phrases each, rows separated by
// CR LF with none after the last. Nothing reads them; they are kept for the design.
extern const std::string_view kListBox2Rows;
extern const std::string_view kListBox4Rows;

// The rows of a list-box value: split at each CR LF; a CR LF at the very end closes the
// last row and makes no empty one. A lone CR or LF stays inside its row.
std::vector<std::string> ListBoxRows(std::string_view value);

// Poem p is the prompt whose right card is card number p (0 to 99), without line end.
std::vector<std::string> PromptPoems();

// The text after the poem's ideographic space (U+3000); empty when it has none.
std::string LowerPhrase(std::string_view poem);

// The characters (code points) of a UTF-8 text, each as its own bytes. A byte that does
// not start a complete, well-formed sequence counts as one character of its own, so any
// input splits without reading past its end.
std::vector<std::string> SplitCharacters(std::string_view utf8);

}  // namespace game
