// Where the result window goes beside the game window: on the game window's screen, beside it
// when there is room, and never partly off that screen when it fits there.
#include <gtest/gtest.h>

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "framework/src/WindowPlacement.h"

namespace fwtest {
namespace {

using fw::detail::PlaceBeside;

// Frames as a window manager draws them: the game window's 570 x 510 and the result window's
// 388 x 100 client areas, with borders and a title bar.
constexpr QSize kGame(572, 535);
constexpr QSize kResult(390, 125);

const QRect kLarge(0, 0, 1920, 1040);     // 1920 x 1080, less a task bar
const QRect kSmall(0, 0, 731, 457);       // 1280 x 800 at 175 %
const QRect kRight(1920, 0, 1280, 1024);  // a second screen to the right
const QRect kLeft(-1280, 0, 1280, 1024);  // a second screen to the left

struct Case {
    const char* what;
    QList<QRect> screens;
    QPoint game;      // the top left of the game window's frame
    QPoint expected;  // the top left of the result window's frame
};

const Case kCases[] = {
    {"room on the right", {kLarge}, {100, 100}, {684, 100}},
    {"at the right edge: to the left", {kLarge}, {1340, 100}, {938, 100}},
    {"at the left edge, partly off: to the right", {kLarge}, {-300, 300}, {284, 300}},
    {"at the top edge", {kLarge}, {600, 0}, {1184, 0}},
    {"at the top left corner, partly off: lined up with the screen's top",
     {kLarge},
     {-200, -100},
     {384, 0}},
    {"at the bottom edge, partly off: raised to fit", {kLarge}, {600, 950}, {1184, 915}},
    {"at the bottom right corner, partly off: to the left, raised",
     {kLarge},
     {1700, 960},
     {1298, 915}},
    {"small screen, no room anywhere: over the game window", {kSmall}, {0, 0}, {40, 40}},
    {"small screen, room on the left", {kSmall}, {410, 50}, {8, 50}},
    {"small screen, game partly past the right edge, no room", {kSmall}, {200, 0}, {240, 40}},
    {"small screen, game partly past the bottom right: above it", {kSmall}, {300, 380}, {300, 243}},
    {"small screen, game partly past the right edge: over it, pulled onto the screen",
     {kSmall},
     {380, 0},
     {341, 40}},
    {"second screen to the right", {kLarge, kRight}, {2000, 100}, {2584, 100}},
    {"second screen to the right, game at its right edge",
     {kLarge, kRight},
     {2620, 100},
     {2218, 100}},
    {"second screen to the left", {kLarge, kLeft}, {-1200, 200}, {-616, 200}},
    {"second screen to the left, game at its left edge, partly off",
     {kLarge, kLeft},
     {-1400, 900},
     {-816, 899}},
    {"game across two screens: the one holding most of it",
     {kLarge, kRight},
     {1700, 100},
     {2284, 100}},
    {"game off every screen: onto the nearest", {kLarge, kRight}, {5000, 5000}, {2810, 899}},
};

TEST(WindowPlacement, PlacesTheResultWindowBesideTheGameWindowOnItsScreen) {
    for (const Case& c : kCases)
        EXPECT_EQ(PlaceBeside(QRect(c.game, kGame), kResult, c.screens), c.expected) << c.what;
}

int Area(const QRect& rect) { return rect.isEmpty() ? 0 : rect.width() * rect.height(); }

// Over a grid of game-window positions across two screens, edges and beyond included.
TEST(WindowPlacement, TheResultWindowLiesWhollyOnTheGameWindowsScreen) {
    const QList<QRect> screens{kSmall, QRect(731, 0, 1920, 1040)};
    for (int x = -600; x <= 2700; x += 37)
        for (int y = -600; y <= 1100; y += 29) {
            const QRect game(QPoint(x, y), kGame);
            const int onFirst = Area(game & screens[0]), onSecond = Area(game & screens[1]);
            if (onFirst == 0 && onSecond == 0) continue;
            const QRect& home = onSecond > onFirst ? screens[1] : screens[0];
            const QRect placed(PlaceBeside(game, kResult, screens), kResult);
            EXPECT_TRUE(home.contains(placed)) << x << "," << y;
            // Over the game window only where no side had room on that screen.
            const bool roomBeside = game.right() + 12 + kResult.width() <= home.right() ||
                                    game.left() - 12 - kResult.width() >= home.left() ||
                                    game.bottom() + 12 + kResult.height() <= home.bottom() ||
                                    game.top() - 12 - kResult.height() >= home.top();
            if (roomBeside) {
                EXPECT_FALSE(placed.intersects(game)) << x << "," << y;
            }
        }
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt) {
    const QRect tiny(100, 50, 320, 90);
    EXPECT_EQ(PlaceBeside(QRect(QPoint(0, 0), kGame), kResult, {tiny}), QPoint(100, 50));
    EXPECT_EQ(PlaceBeside(QRect(QPoint(900, 900), kGame), kResult, {tiny}), QPoint(100, 50));
}

}  // namespace
}  // namespace fwtest
