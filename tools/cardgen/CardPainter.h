// Draws the pick-up card pictures and the empty green card.
#pragma once

#include <QImage>
#include <string_view>

namespace cardgen {

// The pick-up card of one lower phrase (UTF-8): its characters written vertically in
// columns of five, right to left, the last column taking up to six. Throws
// std::invalid_argument for an empty phrase or one of more than 16 characters, and
// std::runtime_error when the mincho face is missing.
QImage DrawCard(std::string_view lowerPhrase);

// The empty slot: the card's size, all in the border's green.
QImage DrawGreen();

}  // namespace cardgen
