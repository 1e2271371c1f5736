#include "fw/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

#include "PropertyTables.h"
#include "fw/Picture.h"
#include "fw/Runtime.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

namespace {

// Copies kept per picture: the game draws a picture at one or two sizes (frame and face).
constexpr std::size_t kScaledCopiesPerPicture = 4;

bool IsWhole(double v) { return std::abs(v - std::round(v)) < 1e-6; }

// The copy of `source` of `data` scaled to the target `device` (in device pixels) at `scale`
// device pixels per canvas unit, made now if not kept yet. A copy larger than the picture
// itself is not made (nullptr): the copies take at most kScaledCopiesPerPicture times its
// memory.
const QImage* ScaledCopy(const detail::PictureData& data, const QRectF& source,
                         const QRectF& device, qreal scale) {
    if (device.width() * device.height() >
        static_cast<double>(data.image.width()) * data.image.height())
        return nullptr;
    auto& copies = data.scaledCopies;
    const QSize size(qRound(device.width()), qRound(device.height()));
    const auto found = std::find_if(copies.begin(), copies.end(), [&](const auto& c) {
        return c.source == source && c.image.size() == size && c.image.devicePixelRatio() == scale;
    });
    if (found != copies.end()) {
        std::rotate(copies.begin(), found, found + 1);
        return &copies.front().image;
    }
    // Made by the very drawImage a direct draw does, so the pixels are the same.
    QImage copy(size, QImage::Format_ARGB32_Premultiplied);
    copy.fill(Qt::transparent);
    {
        QPainter painter(&copy);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), data.image, source);
    }
    copy.setDevicePixelRatio(scale);
    if (copies.size() == kScaledCopiesPerPicture) copies.pop_back();
    copies.insert(copies.begin(), {source, std::move(copy)});
    return &copies.front().image;
}

class PainterGraphics : public Graphics {
public:
    explicit PainterGraphics(QPainter& painter) : painter_(painter) {}

    // Smooth scaling of a picture costs far more than drawing it 1:1, and a canvas draws
    // the same picture at the same size paint after paint: a copy scaled once to the target's
    // device pixels is drawn instead, where it lands on whole device pixels unrotated.
    void DrawPicture(const std::shared_ptr<Picture>& picture, double x, double y, double width,
                     double height, double sourceX, double sourceY, double sourceWidth,
                     double sourceHeight) override {
        if (!picture) throw NilObjectException("DrawPicture was given no picture");
        const QRectF target(x, y, width, height);
        const QRectF source(sourceX, sourceY, sourceWidth, sourceHeight);
        const QImage* copy = ReusableCopy(picture->Data(), target, source);
        if (!copy) return painter_.drawImage(target, picture->Data().image, source);
        // 1:1 onto whole device pixels, smoothing changes no pixel; left on, it makes Qt take
        // its slow path for transformed images.
        const bool smooth = painter_.testRenderHint(QPainter::SmoothPixmapTransform);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter_.drawImage(target.topLeft(), *copy);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    }

private:
    const QImage* ReusableCopy(const detail::PictureData& data, const QRectF& target,
                               const QRectF& source) const {
        const QTransform& toDevice = painter_.deviceTransform();
        const qreal scale = toDevice.m11();
        if (toDevice.type() > QTransform::TxScale || scale <= 0 || toDevice.m22() != scale)
            return nullptr;
        if (!(target.width() > 0 && target.height() > 0 && source.width() > 0 &&
              source.height() > 0))
            return nullptr;
        const QRectF device = toDevice.mapRect(target);
        if (!IsWhole(device.x()) || !IsWhole(device.y()) || !IsWhole(device.width()) ||
            !IsWhole(device.height()) || device.width() < 1 || device.height() < 1)
            return nullptr;
        return ScaledCopy(data, source, device, scale);
    }

    QPainter& painter_;
};

// The canvas's widget paints nothing of its own, so a transparent canvas that draws nothing
// lets its parent show through.
class CanvasWidget : public QWidget {
public:
    CanvasWidget(Canvas* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        auto self = owner_->weak_from_this().lock();
        if (!self) return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        PainterGraphics graphics(painter);
        std::vector<Rect> areas;
        for (const QRect& r : event->region())
            areas.push_back({r.x(), r.y(), r.width(), r.height()});
        Deliver([&] { owner_->Paint.Raise(self, graphics, areas); });
    }

    void mousePressEvent(QMouseEvent* event) override {
        auto self = owner_->weak_from_this().lock();
        if (!self || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
        const QPoint p = event->position().toPoint();
        Deliver([&] { owner_->MouseDown.Raise(self, p.x(), p.y()); });
        event->accept();
    }

private:
    Canvas* owner_;
};

}  // namespace

Canvas::Canvas() = default;
Canvas::~Canvas() = default;

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
    RequireUIThread();
    backdrop_ = std::move(picture);
    Invalidate();
}

QWidget* Canvas::CreateWidget(QWidget* parent) { return new CanvasWidget(this, parent); }

const ClassRecord& Canvas::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "Canvas",
        .super = &RectControl::Lookup(),
        .factory = [] { return std::make_shared<Canvas>(); },
        // The inherited part of every canvas class's method table, in the framework's order.
        .members = {{"Close", "", {}},
                    {"AcceptFileDrop", "", {}},
                    {"AcceptMacDataDrop", "", {}},
                    {"AcceptPictureDrop", "", {}},
                    {"AcceptRawDataDrop", "", {}},
                    {"AcceptTextDrop", "", {}},
                    {"Constructor", "", {}},
                    {"DrawInto", "", {}},
                    {"Invalidate", "eraseBackground As Boolean", {}},
                    {"Invalidate",
                     "x As Integer, y As Integer, width As Integer, height As Integer, "
                     "eraseBackground As Boolean",
                     {}},
                    {"RectControl.Constructor", "", {}},
                    {"Refresh", "eraseBackground As Boolean", {}},
                    {"Refresh",
                     "x As Integer, y As Integer, width As Integer, height As Integer, "
                     "eraseBackground As Boolean",
                     {}},
                    {"RefreshRect", "", {}},
                    {"SetFocus", "", {}},
                    {"TrueWindow", "", {}},
                    {"_AddMenuHandler", "", {}},
                    {"_DependencyList", "", {}},
                    {"_Move", "", {}},
                    {"Event_CreatePane", "", {}},
                    {"Scroll", "", {}}},
        .properties = {detail::StoredBool("AllowFocusRing", true), detail::StoredBool("AllowFocus"),
                       detail::StoredBool("AllowTabs"), detail::StoredBool("DoubleBuffer")},
    });
    return record;
}
const ClassRecord& Canvas::Class() const { return Lookup(); }

}  // namespace fw
