// The opened window as the player sees it, grabbed offscreen: an orange board, ten green card
// slots in two rows, and after a deal the cards themselves in their green frames.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "fw/Runtime.h"
#include "fw/testing/Player.h"
#include "game/KarutaWindow.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

constexpr std::uint32_t kOrange = 0xff9029;
constexpr std::uint32_t kGreen = 0x2f6b3e;  // the empty card and the cards' border

bool Near(std::uint32_t rgb, std::uint32_t expected, int tolerance = 12) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((rgb >> shift) & 0xff);
        const int b = static_cast<int>((expected >> shift) & 0xff);
        if (std::abs(a - b) > tolerance) return false;
    }
    return true;
}

// The share of the rectangle's pixels that are near the colour.
double Share(const fw::testing::Image& image, const fw::RectControl& c, std::uint32_t colour) {
    int near = 0, all = 0;
    for (int y = static_cast<int>(c.Top()); y < c.Top() + c.Height(); ++y)
        for (int x = static_cast<int>(c.Left()); x < c.Left() + c.Width(); ++x, ++all)
            if (Near(image.Rgb(x, y), colour)) ++near;
    return all ? static_cast<double>(near) / all : 0.0;
}

class Board : public OpenWindowTest {};

TEST_F(Board, OpensAsAnOrangeBoardWithTenGreenSlotsInTwoRows) {
    fw::ProcessEvents();
    const auto image = fw::testing::Grab(*win);
    ASSERT_EQ(image.width, 570);
    ASSERT_EQ(image.height, 510);
    for (auto [x, y] : {std::pair{10, 150}, {120, 150}, {300, 245}, {10, 420}, {556, 150}})
        EXPECT_TRUE(Near(image.Rgb(x, y), kOrange))
            << x << "," << y << " " << std::hex << image.Rgb(x, y);
    for (std::int64_t slot = 0; slot <= 9; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const auto frame = win->CardCanvas(slot);
        EXPECT_GT(Share(image, *frame, kGreen), 0.97);
        // Upper row above the separator between the rows, lower row below it.
        if (slot < 5)
            EXPECT_LT(frame->Top() + frame->Height(), win->Separator2()->Top());
        else
            EXPECT_GT(frame->Top(), win->Separator2()->Top());
    }
}

TEST_F(Board, ADealShowsEachCardInsideItsGreenFrame) {
    for (std::int64_t slot = 0; slot <= 9; ++slot) {
        (*win->FudaNum)(slot) = slot;
        win->Fuda(slot);
    }
    fw::ProcessEvents();
    const auto image = fw::testing::Grab(*win);
    for (std::int64_t slot = 0; slot <= 9; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const auto frame = win->CardCanvas(slot);
        const auto face = win->FudaCanvas(slot);
        // The frame's margin around the face stays green.
        const int x = static_cast<int>(frame->Left()) + 3;
        const int y = static_cast<int>(frame->Top() + frame->Height() / 2);
        EXPECT_TRUE(Near(image.Rgb(x, y), kGreen)) << std::hex << image.Rgb(x, y);
        // The face is mostly the card's light ground, with dark writing on it.
        int light = 0, dark = 0;
        for (int fy = static_cast<int>(face->Top()); fy < face->Top() + face->Height(); ++fy)
            for (int fx = static_cast<int>(face->Left()); fx < face->Left() + face->Width(); ++fx) {
                const std::uint32_t p = image.Rgb(fx, fy);
                const int sum = static_cast<int>((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff);
                if (sum > 600) ++light;
                if (sum < 200) ++dark;
            }
        const int area = static_cast<int>(face->Width() * face->Height());
        EXPECT_GT(light, area / 2);
        EXPECT_GT(dark, area / 50) << "the card carries writing";
    }
}

}  // namespace
}  // namespace window
