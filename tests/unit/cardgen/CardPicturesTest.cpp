// The card pictures as the build leaves them beside the game, probed by their pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/PoemData.h"
#include "tools/cardgen/CardPainter.h"
#include "tools/cardgen/CardStyle.h"

namespace {

using namespace cardgen;

QImage LoadPicture(const QString& name) {
    return QImage(QStringLiteral(UKISOMI_TEST_PICTURE_DIR "/") + name)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage LoadCard(std::size_t n) { return LoadPicture(QStringLiteral("karuta%1.png").arg(n)); }

bool IsInk(QRgb p) { return qGray(p) < 110; }

bool InBorder(int x, int y) {
    return x < kBorder || y < kBorder || x >= kCardWidth - kBorder || y >= kCardHeight - kBorder;
}

// A pixel of the face is ivory, ink, or an anti-aliased blend of the two.
bool IsIvoryOrInk(QRgb p) {
    const auto channelBetween = [](int v, int a, int b) {
        return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2;
    };
    if (!channelBetween(qRed(p), qRed(kIvory), qRed(kInk)) ||
        !channelBetween(qGreen(p), qGreen(kIvory), qGreen(kInk)) ||
        !channelBetween(qBlue(p), qBlue(kIvory), qBlue(kInk)))
        return false;
    // On the line from ivory to ink: the red and blue fractions of the way agree.
    const double tRed = double(qRed(kIvory) - qRed(p)) / (qRed(kIvory) - qRed(kInk));
    const double tBlue = double(qBlue(kIvory) - qBlue(p)) / (qBlue(kIvory) - qBlue(kInk));
    return std::abs(tRed - tBlue) < 0.05;
}

bool HasInk(const QImage& image, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (IsInk(image.pixel(x, y))) return true;
    return false;
}

std::vector<std::string> LowerPhrases() {
    std::vector<std::string> phrases;
    for (const auto& poem : game::PromptPoems()) phrases.push_back(game::LowerPhrase(poem));
    return phrases;
}

TEST(CardPictures, AllExistAtTheFaceProportions) {
    for (std::size_t n = 0; n < 100; ++n) {
        const QImage card = LoadCard(n);
        ASSERT_FALSE(card.isNull()) << "karuta" << n << ".png";
        EXPECT_EQ(card.size(), QSize(kCardWidth, kCardHeight)) << n;
        // 70 x 160 is the face in the game: the stretch is the same both ways.
        EXPECT_EQ(card.width() * 160, card.height() * 70);
    }
}

TEST(CardPictures, GreenBorderAroundAnIvoryFaceWithInk) {
    for (std::size_t n = 0; n < 100; ++n) {
        SCOPED_TRACE("karuta" + std::to_string(n));
        const QImage card = LoadCard(n);
        ASSERT_EQ(card.size(), QSize(kCardWidth, kCardHeight));
        int ink = 0, ivory = 0, other = 0, offGreen = 0;
        for (int y = 0; y < kCardHeight; ++y) {
            for (int x = 0; x < kCardWidth; ++x) {
                const QRgb p = card.pixel(x, y);
                if (InBorder(x, y)) {
                    offGreen += p != kGreen;
                } else {
                    ink += IsInk(p);
                    ivory += p == kIvory;
                    other += !IsIvoryOrInk(p);
                }
            }
        }
        EXPECT_EQ(offGreen, 0);
        EXPECT_EQ(other, 0);
        EXPECT_GT(ink, 1000);
        EXPECT_GT(ivory, (kCardWidth - 2 * kBorder) * (kCardHeight - 2 * kBorder) / 2);
        // Nothing is written into the ivory margin inside the border.
        EXPECT_FALSE(HasInk(card, kBorder, kBorder, kCardWidth - kBorder, kBlockTop));
        EXPECT_FALSE(HasInk(card, kBorder, kCardHeight - kBlockTop, kCardWidth - kBorder,
                            kCardHeight - kBorder));
        EXPECT_FALSE(HasInk(card, kBorder, kBorder, kBlockLeft, kCardHeight - kBorder));
        EXPECT_FALSE(HasInk(card, kCardWidth - kBlockLeft, kBorder, kCardWidth - kBorder,
                            kCardHeight - kBorder));
    }
}

// Columns of five read right to left, the third taking what is left (up to six): each
// character slot of a column holds ink, the slotCount past its last character hold none, and the
// gaps between slotCount are clear, which tells a column of six from one of five.
TEST(CardPictures, CharactersFillTheColumnsRightToLeft) {
    const auto phrases = LowerPhrases();
    for (const std::size_t length : {13u, 14u, 15u, 16u}) {
        const auto it = std::find_if(phrases.begin(), phrases.end(), [&](const std::string& p) {
            return game::SplitCharacters(p).size() == length;
        });
        ASSERT_NE(it, phrases.end()) << length;
        const auto n = std::size_t(it - phrases.begin());
        SCOPED_TRACE("karuta" + std::to_string(n) + ", " + std::to_string(length) + " characters");
        const QImage card = LoadCard(n);
        ASSERT_EQ(card.size(), QSize(kCardWidth, kCardHeight));

        const int inColumn[3] = {5, 5, int(length) - 10};
        for (int column = 0; column < 3; ++column) {
            const int right = kBlockLeft + kBlockWidth - column * kColumnPitch;
            const int left = right - kColumnPitch;
            const int slotCount = std::max(5, inColumn[column]);
            const double pitch = double(kBlockHeight) / slotCount;
            for (int slot = 0; slot < slotCount; ++slot) {
                const int top = kBlockTop + int(slot * pitch),
                          bottom = kBlockTop + int((slot + 1) * pitch);
                EXPECT_EQ(HasInk(card, left, top + 3, right, bottom - 3), slot < inColumn[column])
                    << "column " << column << " (from the right), slot " << slot;
                if (slot > 0) {
                    EXPECT_FALSE(HasInk(card, left, top - 3, right, top + 3))
                        << "gap above slot " << slot << " of column " << column;
                }
            }
        }
    }
}

TEST(CardPictures, EachPhraseHasItsOwnPicture) {
    std::set<QByteArray> seen;
    for (std::size_t n = 0; n < 100; ++n) {
        const QImage card = LoadCard(n);
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(card.constBits()), card.sizeInBytes()));
    }
    // The 100 lower phrases are all different, and so must the pictures be.
    EXPECT_EQ(seen.size(), 100u);
}

TEST(CardPictures, GreenIsAPlainCardInTheBorderGreen) {
    const QImage green = LoadPicture(QStringLiteral("Green.png"));
    ASSERT_EQ(green.size(), QSize(kCardWidth, kCardHeight));
    int offGreen = 0;
    for (int y = 0; y < green.height(); ++y)
        for (int x = 0; x < green.width(); ++x) offGreen += green.pixel(x, y) != kGreen;
    EXPECT_EQ(offGreen, 0);
}

TEST(DrawCard, RefusesPhrasesThatDoNotFitACard) {
    EXPECT_THROW(DrawCard(""), std::invalid_argument);
    EXPECT_THROW(DrawCard("あいうえおかきくけこさしすせそたち"), std::invalid_argument);  // 17
    EXPECT_FALSE(DrawCard("あいうえおかきくけこさしすせそた").isNull());                  // 16
}

}  // namespace
