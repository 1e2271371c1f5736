// The game window's 46 controls made with plain Qt calls: no framework objects, no design
// records, no event dispatch. The yardstick the framework's window is measured against.
#pragma once

#include <array>
#include <string>

class QImage;
class QRegion;
class QWidget;

namespace bench {

class PlainBoard {
public:
    // How the card canvases paint their picture: scaled onto the canvas at every paint, as
    // the game does, or drawn 1:1 from a copy scaled once when the picture is set.
    enum class Painting { Stretched, PreScaled };

    // Builds the window in its opened state (570 x 510, fonts, texts, every canvas green,
    // the timer running) and shows it under `title` (UTF-8). The first paint happens on the
    // next Pump().
    explicit PlainBoard(Painting painting = Painting::Stretched, const char* title = "Ukisomi");
    ~PlainBoard();
    PlainBoard(const PlainBoard&) = delete;
    PlainBoard& operator=(const PlainBoard&) = delete;

    // Puts the picture files `names` (slot order) on the ten card faces.
    void ShowCards(const std::array<std::string, 10>& names);

    // The content area, on which the controls lie.
    QWidget* Content() const { return content_; }
    // The area of the ten card frames, in content coordinates.
    QRegion Board() const;

private:
    QWidget* window_ = nullptr;
    QWidget* content_ = nullptr;
    std::array<QWidget*, 10> frames_{};
    std::array<QWidget*, 10> faces_{};
    Painting painting_;
};

// The picture file `name`, read once for the run and shared, as the game's accessors do.
const QImage& SharedImage(const std::string& name);

}  // namespace bench
