// Pictures stretched onto canvases: the framework reuses copies scaled once, and what it draws
// from them matches a direct smooth drawImage, after changes of picture, size or device pixel
// ratio too; the copies a picture keeps are capped.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/src/qt/Native.h"
#include "fw/Canvas.h"
#include "fw/Picture.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

constexpr int kCardWidth = 210, kCardHeight = 480;

QImage Noise(int width, int height, std::uint32_t seed, bool translucent) {
    QImage image(width, height, QImage::Format_ARGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t alpha = translucent ? random.bounded(256u) << 24 : 0xff000000u;
            image.setPixel(x, y, (random.generate() & 0xffffffu) | alpha);
        }
    return image;
}

// One-pixel stripes: what blurs first when a picture is scaled at too few pixels.
QImage Stripes(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y / 2) % 2 ? 0xff000000u : 0xfff0e040u);
    return image;
}

struct CardPicture {
    std::string name;
    QImage image;
};

std::vector<CardPicture> CardPictures() {
    return {{"noise.png", Noise(kCardWidth, kCardHeight, 1, false)},
            {"stripes.png", Stripes(kCardWidth, kCardHeight)},
            {"translucent.png", Noise(kCardWidth, kCardHeight, 2, true)}};
}

// The window as it paints now, at `ratio` device pixels per window unit.
QImage Render(const fw::Window& window, qreal ratio = 1) {
    QWidget* content = window.NativeHandle();
    EXPECT_NE(content, nullptr);
    if (!content) return {};
    QImage image(content->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    content->render(&image);
    return image;
}

// A direct smooth drawImage of `source` of `picture` into `target` of a white canvas.
QImage Direct(const fw::Picture& picture, QSize canvas, const QRectF& target, const QRectF& source,
              qreal ratio = 1) {
    QImage image(canvas * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture.Data().image, source);
    return image;
}

QImage DirectStretched(const fw::Picture& picture, QSize canvas, qreal ratio = 1) {
    return Direct(
        picture, canvas, QRectF(QPointF(0, 0), QSizeF(canvas)),
        QRectF(0, 0, static_cast<double>(picture.Width()), static_cast<double>(picture.Height())),
        ratio);
}

// The largest difference of a colour channel between the canvas's area of `rendered` and
// `expected`, both at the same ratio.
int MaxDifference(const QImage& rendered, const fw::Canvas& canvas, const QImage& expected) {
    const qreal ratio = rendered.devicePixelRatio();
    const QImage a = rendered.convertToFormat(QImage::Format_ARGB32);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32);
    const int left = static_cast<int>(std::lround(static_cast<double>(canvas.Left()) * ratio));
    const int top = static_cast<int>(std::lround(static_cast<double>(canvas.Top()) * ratio));
    if (b.width() + left > a.width() || b.height() + top > a.height()) return 256;
    int most = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const QRgb p = a.pixel(x + left, y + top), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

bool HoldsCopy(const fw::Picture& picture, QSize size, qreal ratio) {
    const auto& copies = picture.Data().scaledCopies;
    return std::any_of(copies.begin(), copies.end(), [&](const auto& c) {
        return c.image.size() == size && c.image.devicePixelRatio() == ratio;
    });
}

class StretchedPictureTest : public FrameworkTest {
protected:
    PictureFolder folder_;
};

TEST_F(StretchedPictureTest, ColdAndReusedDrawsMatchADirectSmoothDraw) {
    struct Case {
        const char* what;
        QSize canvas;
        QRectF target, source;
        bool reused;
    };
    const std::vector<Case> cases{
        {"card frame", {90, 170}, {0, 0, 90, 170}, {0, 0, kCardWidth, kCardHeight}, true},
        {"card face", {70, 160}, {0, 0, 70, 160}, {0, 0, kCardWidth, kCardHeight}, true},
        {"part into part", {70, 160}, {10, 20, 30, 40}, {105, 240, 60, 230}, true},
        {"between pixels",
         {70, 160},
         {10.5, 20.25, 30, 40},
         {0, 0, kCardWidth, kCardHeight},
         false},
    };
    for (const CardPicture& card : CardPictures())
        for (const Case& c : cases) {
            SCOPED_TRACE(card.name + ", " + c.what);
            auto window = OpenWindow(120, 200);
            auto canvas =
                Place<fw::Canvas>(*window, "Face", 7, 9, c.canvas.width(), c.canvas.height());
            auto picture = folder_.Picture(card.name, card.image);
            ASSERT_NE(picture, nullptr);
            canvas->Paint.Attach(
                [&](const fw::ObjectRef&, fw::Graphics& g, const std::vector<fw::Rect>&) {
                    g.DrawPicture(picture, c.target.x(), c.target.y(), c.target.width(),
                                  c.target.height(), c.source.x(), c.source.y(), c.source.width(),
                                  c.source.height());
                });
            const QImage expected = Direct(*picture, c.canvas, c.target, c.source);
            ASSERT_TRUE(picture->Data().scaledCopies.empty());
            EXPECT_LE(MaxDifference(Render(*window), *canvas, expected), 1) << "cold";
            EXPECT_LE(MaxDifference(Render(*window), *canvas, expected), 1) << "reused";
            EXPECT_EQ(picture->Data().scaledCopies.size(), c.reused ? 1u : 0u);
            window->Close();
        }
}

TEST_F(StretchedPictureTest, ANewBackdropOrSizeIsDrawnAnew) {
    auto window = OpenWindow(120, 200);
    auto canvas = Place<fw::Canvas>(*window, "Face", 7, 9, 70, 160);
    canvas->Paint.Attach(PaintBackdrop);
    auto first = folder_.Picture("first.png", Noise(kCardWidth, kCardHeight, 3, false));
    auto second = folder_.Picture("second.png", Noise(kCardWidth, kCardHeight, 4, false));

    canvas->SetBackdrop(first);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*first, {70, 160})), 1);
    canvas->SetBackdrop(second);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*second, {70, 160})), 1);
    canvas->SetWidth(90);
    canvas->SetHeight(170);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*second, {90, 170})), 1);
    canvas->SetBackdrop(first);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*first, {90, 170})), 1);
}

// Every allocation gets this one block, once it is free again: a picture made after another's
// release lies at the same address.
alignas(std::max_align_t) unsigned char sameBlock[512];
bool sameBlockInUse = false;

template <class T>
struct SameAddress {
    using value_type = T;
    SameAddress() = default;
    template <class U>
    SameAddress(const SameAddress<U>&) {}
    T* allocate(std::size_t n) {
        if (sameBlockInUse || n * sizeof(T) > sizeof sameBlock) throw std::bad_alloc();
        sameBlockInUse = true;
        return reinterpret_cast<T*>(sameBlock);
    }
    void deallocate(T*, std::size_t) { sameBlockInUse = false; }
    template <class U>
    bool operator==(const SameAddress<U>&) const {
        return true;
    }
};

std::shared_ptr<fw::Picture> PictureAtTheSameAddress(const QImage& image) {
    auto data = std::make_unique<fw::detail::PictureData>();
    data->image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return std::allocate_shared<fw::Picture>(SameAddress<fw::Picture>(), std::move(data));
}

TEST_F(StretchedPictureTest, APictureMadeWhereAReleasedOneLayIsNotTakenForIt) {
    auto window = OpenWindow(120, 200);
    auto canvas = Place<fw::Canvas>(*window, "Face", 7, 9, 70, 160);
    canvas->Paint.Attach(PaintBackdrop);

    auto old = PictureAtTheSameAddress(Noise(kCardWidth, kCardHeight, 5, false));
    const fw::Picture* address = old.get();
    canvas->SetBackdrop(old);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*old, {70, 160})), 1);
    canvas->SetBackdrop(nullptr);
    old.reset();
    ASSERT_FALSE(sameBlockInUse) << "the old picture is still held";

    auto replacement = PictureAtTheSameAddress(Noise(kCardWidth, kCardHeight, 6, false));
    ASSERT_EQ(replacement.get(), address);
    canvas->SetBackdrop(replacement);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*replacement, {70, 160})), 1);
    canvas->SetBackdrop(nullptr);
}

// At a device pixel ratio of 2 the copy has the target's device pixels: the stripes stay as
// sharp as a direct draw at that ratio makes them.
TEST_F(StretchedPictureTest, AtRatioTwoTheCopyIsMadeAtDevicePixels) {
    auto window = OpenWindow(120, 200);
    auto frame = Place<fw::Canvas>(*window, "Frame", 7, 9, 90, 170);
    frame->Paint.Attach(PaintBackdrop);
    auto picture = folder_.Picture("stripes.png", Stripes(kCardWidth, kCardHeight));
    frame->SetBackdrop(picture);
    const QImage expected = DirectStretched(*picture, {90, 170}, 2);
    EXPECT_LE(MaxDifference(Render(*window, 2), *frame, expected), 1) << "cold";
    EXPECT_LE(MaxDifference(Render(*window, 2), *frame, expected), 1) << "reused";
    EXPECT_TRUE(HoldsCopy(*picture, {180, 340}, 2));
    EXPECT_LE(MaxDifference(Render(*window, 1), *frame, DirectStretched(*picture, {90, 170})), 1);
    EXPECT_TRUE(HoldsCopy(*picture, {90, 170}, 1));
}

TEST_F(StretchedPictureTest, APictureKeepsFewCopiesNoneLargerThanItself) {
    auto window = OpenWindow(400, 600);
    auto canvas = Place<fw::Canvas>(*window, "Face", 7, 9, 70, 160);
    canvas->Paint.Attach(PaintBackdrop);
    auto picture = folder_.Picture("noise.png", Noise(kCardWidth, kCardHeight, 7, false));
    canvas->SetBackdrop(picture);
    for (int width = 60; width <= 80; width += 4) {
        canvas->SetWidth(width);
        EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*picture, {width, 160})),
                  1)
            << width;
        EXPECT_TRUE(HoldsCopy(*picture, {width, 160}, 1)) << width;
        EXPECT_LE(picture->Data().scaledCopies.size(), 4u);
    }
    EXPECT_EQ(picture->Data().scaledCopies.size(), 4u);

    // Larger than the picture: drawn directly, and no copy is kept.
    canvas->SetWidth(300);
    canvas->SetHeight(500);
    EXPECT_LE(MaxDifference(Render(*window), *canvas, DirectStretched(*picture, {300, 500})), 1);
    EXPECT_FALSE(HoldsCopy(*picture, {300, 500}, 1));
}

}  // namespace
}  // namespace fwtest
