// Canvases: backdrops and the repaint that follows, transparency over a parent canvas, what
// DrawPicture draws where, the areas a Paint handler is given, and mouse presses.
#include <gtest/gtest.h>

#include <QPainter>

#include <cstdint>
#include <memory>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Picture.h"
#include "fw/Runtime.h"
#include "fw/testing/Player.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

constexpr std::uint32_t kWhite = 0xffffff, kGreen = 0x008000, kRed = 0xff0000, kBlue = 0x0000ff,
                        kYellow = 0xffff00, kMagenta = 0xff00ff;

QImage Quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, QColor(kRed | 0xff000000u));
    p.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(kBlue | 0xff000000u));
    p.fillRect(0, height / 2, width / 2, height - height / 2, QColor(kYellow | 0xff000000u));
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2,
               QColor(kMagenta | 0xff000000u));
    return image;
}

class CanvasTest : public FrameworkTest {
protected:
    PictureFolder folder_;
};

TEST_F(CanvasTest, BackdropIsKeptAndARepaintFollowsByItself) {
    auto window = OpenWindow();
    auto canvas = Place<fw::Canvas>(*window, "FudaCanvas", 10, 10, 70, 160, 3);
    int paints = 0;
    canvas->Paint.Attach(
        [&](const fw::ObjectRef&, fw::Graphics&, const std::vector<fw::Rect>&) { ++paints; });
    fw::ProcessEvents();
    ASSERT_GT(paints, 0) << "a shown canvas is painted";

    auto picture = folder_.Picture("karuta7.png", Solid(30, 50, 0xff000000u | kRed));
    const long references = picture.use_count();
    const int before = paints;
    canvas->SetBackdrop(picture);
    EXPECT_EQ(canvas->Backdrop(), picture);
    EXPECT_EQ(picture.use_count(), references + 1);  // the canvas holds its own reference
    fw::ProcessEvents();
    EXPECT_GT(paints, before) << "no repaint after the backdrop changed";

    const int again = paints;
    canvas->SetBackdrop(nullptr);
    EXPECT_EQ(canvas->Backdrop(), nullptr);
    EXPECT_EQ(picture.use_count(), references);
    fw::ProcessEvents();
    EXPECT_GT(paints, again) << "no repaint after the backdrop was cleared";
}

// A card slot: a frame canvas painting green, and inside it a transparent face that paints its
// backdrop or, without one, nothing, so that the frame's green shows through.
TEST_F(CanvasTest, TransparentChildWithoutBackdropLetsItsParentShow) {
    auto window = OpenWindow(200, 200);
    auto frame = Place<fw::Canvas>(*window, "CardCanvas", 10, 10, 90, 170, 0);
    auto face = Place<fw::Canvas>(*window, "FudaCanvas", 20, 15, 70, 160, 0, "CardCanvas$0");
    face->SetTransparent(true);
    frame->Paint.Attach(PaintBackdrop);
    face->Paint.Attach(PaintBackdrop);
    frame->SetBackdrop(folder_.Picture("Green.png", Solid(210, 480, 0xff000000u | kGreen)));
    EXPECT_EQ(face->Parent(), frame);

    auto image = fw::testing::Grab(*window);
    EXPECT_EQ(image.Rgb(5, 5), kWhite);    // the window
    EXPECT_EQ(image.Rgb(13, 13), kGreen);  // the frame around the face
    EXPECT_EQ(image.Rgb(55, 95), kGreen);  // the blank face shows the frame
    EXPECT_EQ(image.Rgb(88, 172), kGreen);

    face->SetBackdrop(folder_.Picture("karuta0.png", Solid(300, 500, 0xff000000u | kRed)));
    fw::ProcessEvents();
    image = fw::testing::Grab(*window);
    EXPECT_EQ(image.Rgb(55, 95), kRed);
    EXPECT_EQ(image.Rgb(21, 16), kRed);  // the face's corners, in window coordinates
    EXPECT_EQ(image.Rgb(88, 173), kRed);
    EXPECT_EQ(image.Rgb(13, 13), kGreen);

    face->SetBackdrop(nullptr);  // the end of a game blanks the face
    fw::ProcessEvents();
    EXPECT_EQ(fw::testing::Grab(*window).Rgb(55, 95), kGreen);
}

TEST_F(CanvasTest, DrawPictureScalesTheSourceRectangleIntoTheDestination) {
    auto window = OpenWindow(200, 200);
    auto picture = folder_.Picture("quadrants.png", Quadrants(300, 500));
    auto whole = Place<fw::Canvas>(*window, "Whole", 0, 0, 70, 160);
    auto part = Place<fw::Canvas>(*window, "Part", 100, 0, 70, 160);
    whole->Paint.Attach([&](const fw::ObjectRef&, fw::Graphics& g, const std::vector<fw::Rect>&) {
        g.DrawPicture(picture, 0, 0, 70, 160, 0, 0, 300, 500);
    });
    // The lower right quarter of the picture into a 30 x 40 rectangle at (10, 20).
    part->Paint.Attach([&](const fw::ObjectRef&, fw::Graphics& g, const std::vector<fw::Rect>&) {
        g.DrawPicture(picture, 10, 20, 30, 40, 150, 250, 150, 250);
    });
    const auto image = fw::testing::Grab(*window);
    EXPECT_EQ(image.Rgb(17, 40), kRed);
    EXPECT_EQ(image.Rgb(52, 40), kBlue);
    EXPECT_EQ(image.Rgb(17, 120), kYellow);
    EXPECT_EQ(image.Rgb(52, 120), kMagenta);
    EXPECT_EQ(image.Rgb(100 + 25, 40), kMagenta);
    EXPECT_EQ(image.Rgb(100 + 11, 21), kMagenta);
    EXPECT_EQ(image.Rgb(100 + 38, 58), kMagenta);
    for (auto [x, y] :
         std::vector<std::pair<int, int>>{{5, 5}, {8, 40}, {42, 40}, {25, 18}, {25, 62}, {60, 150}})
        EXPECT_EQ(image.Rgb(100 + x, y), kWhite) << x << "," << y;
}

TEST_F(CanvasTest, PaintIsGivenTheAreasToRedrawInCanvasCoordinates) {
    auto window = OpenWindow(200, 200);
    auto canvas = Place<fw::Canvas>(*window, "Face", 40, 30, 70, 160);
    std::vector<std::vector<fw::Rect>> seen;
    canvas->Paint.Attach([&](const fw::ObjectRef&, fw::Graphics&,
                             const std::vector<fw::Rect>& areas) { seen.push_back(areas); });
    fw::testing::Grab(*window);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), (std::vector<fw::Rect>{{0, 0, 70, 160}}));

    seen.clear();
    canvas->Invalidate();
    fw::ProcessEvents();
    ASSERT_FALSE(seen.empty());
    std::int64_t covered = 0;
    for (const fw::Rect& r : seen.back()) {
        EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Left + r.Width <= 70 && r.Top + r.Height <= 160)
            << r.Left << "," << r.Top << " " << r.Width << "x" << r.Height;
        covered += r.Width * r.Height;
    }
    EXPECT_EQ(covered, 70 * 160);
}

TEST_F(CanvasTest, MouseDownReachesTheInnermostCanvasInItsOwnCoordinates) {
    auto window = OpenWindow(200, 200);
    auto frame = Place<fw::Canvas>(*window, "CardCanvas", 10, 10, 90, 170, 4);
    auto face = Place<fw::Canvas>(*window, "FudaCanvas", 20, 15, 70, 160, 4, "CardCanvas$4");
    struct Press {
        fw::ObjectRef sender;
        std::int64_t x, y;
    };
    std::vector<Press> presses;
    auto record = [&](const fw::ObjectRef& sender, std::int64_t x, std::int64_t y) {
        presses.push_back({sender, x, y});
        return true;
    };
    frame->MouseDown.Attach(record);
    face->MouseDown.Attach(record);

    fw::testing::ClickWindowAt(*window, 25, 22);
    fw::testing::ClickWindowAt(*window, 12, 12);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].sender, face);
    EXPECT_EQ(presses[0].x, 5);
    EXPECT_EQ(presses[0].y, 7);
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Canvas>(presses[0].sender)->Index(), 4);
    EXPECT_EQ(presses[1].sender, frame);
    EXPECT_EQ(presses[1].x, 2);
    EXPECT_EQ(presses[1].y, 2);
}

TEST_F(CanvasTest, FailingPaintIsReportedAndPaintingGoesOn) {
    auto window = OpenWindow(100, 100);
    auto canvas = Place<fw::Canvas>(*window, "Face", 0, 0, 50, 50);
    int paints = 0;
    canvas->Paint.Attach([&](const fw::ObjectRef&, fw::Graphics& g, const std::vector<fw::Rect>&) {
        ++paints;
        g.DrawPicture(nullptr, 0, 0, 50, 50, 0, 0, 1, 1);  // no picture
    });
    fw::testing::Grab(*window);
    fw::testing::Grab(*window);
    EXPECT_GE(paints, 2);
    ASSERT_GE(Reports().size(), 2u);
    EXPECT_EQ(Reports()[0].className, "NilObjectException");
    EXPECT_EQ(fw::testing::Grab(*window).Rgb(25, 25), kWhite);
}

}  // namespace
}  // namespace fwtest
