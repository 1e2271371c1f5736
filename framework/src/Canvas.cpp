#include "fw/Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "PropertyTables.h"
#include "fw/Picture.h"
#include "fw/Runtime.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

namespace {

class PainterGraphics : public Graphics {
public:
    explicit PainterGraphics(QPainter& painter) : painter_(painter) {}

    void DrawPicture(const std::shared_ptr<Picture>& picture, double x, double y, double width,
                     double height, double sourceX, double sourceY, double sourceWidth,
                     double sourceHeight) override {
        if (!picture) throw NilObjectException("DrawPicture was given no picture");
        painter_.drawImage(QRectF(x, y, width, height), picture->Data().image,
                           QRectF(sourceX, sourceY, sourceWidth, sourceHeight));
    }

private:
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
