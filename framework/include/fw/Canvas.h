#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "fw/Control.h"
#include "fw/Event.h"

namespace fw {

class Picture;

struct Rect {
    std::int64_t Left = 0, Top = 0, Width = 0, Height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// What a Paint handler draws on. Coordinates are the canvas's own, origin top-left.
class Graphics {
public:
    virtual ~Graphics() = default;
    // Draws the source rectangle of `picture` scaled into the destination rectangle.
    virtual void DrawPicture(const std::shared_ptr<Picture>& picture, double x, double y,
                             double width, double height, double sourceX, double sourceY,
                             double sourceWidth, double sourceHeight) = 0;
};

// A control that its handlers paint. The framework draws nothing of its own on it: a
// transparent canvas that paints nothing lets what lies beneath show.
class Canvas : public RectControl {
public:
    FW_OBJECT;

    Canvas();
    ~Canvas() override;

    std::shared_ptr<Picture> Backdrop() const { return backdrop_; }
    // Keeps its own reference to the picture; the canvas is painted again afterwards.
    void SetBackdrop(std::shared_ptr<Picture> picture);

    // Handlers receive the canvas, then the press's position in canvas coordinates.
    Event<bool(const ObjectRef&, std::int64_t, std::int64_t)> MouseDown;
    // Handlers receive the canvas, a Graphics and the areas to redraw.
    Event<void(const ObjectRef&, Graphics&, const std::vector<Rect>&)> Paint;

protected:
    QWidget* CreateWidget(QWidget* parent) override;

private:
    std::shared_ptr<Picture> backdrop_;
};

}  // namespace fw
