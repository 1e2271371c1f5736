#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "fw/Picture.h"

namespace game {

// The card picture set: one accessor per picture. Each loads its file ("karutaN.png",
// "Green.png") from the application's files on first use, tries again on each later use until
// a load gives a picture, and then hands out that same picture for the rest of the run.
#define UKISOMI_CARD_ACCESSOR(n) std::shared_ptr<fw::Picture> karuta##n();
#include "game/CardNumbers.inc"
#undef UKISOMI_CARD_ACCESSOR
std::shared_ptr<fw::Picture> Green();

using PictureAccessor = std::shared_ptr<fw::Picture> (*)();

inline constexpr std::int64_t kCardCount = 100;

// Element N is the accessor of card number N (`karutaN`).
inline constexpr std::array<PictureAccessor, kCardCount> kCardPictures = {
#define UKISOMI_CARD_ACCESSOR(n) &karuta##n,
#include "game/CardNumbers.inc"
#undef UKISOMI_CARD_ACCESSOR
};

}  // namespace game
