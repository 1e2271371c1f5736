#pragma once

// Shared fixture of the framework tests: every test starts from the framework's defaults and
// leaves no window, seam or reporter behind.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Control.h"
#include "fw/Picture.h"
#include "fw/Window.h"

namespace fwtest {

struct Report {
    std::string className, message;
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // What the default handler was handed since the test began.
    const std::vector<Report>& Reports() const { return *reports_; }

private:
    std::shared_ptr<std::vector<Report>> reports_ = std::make_shared<std::vector<Report>>();
};

// A temporary folder of picture files.
class PictureFolder {
public:
    PictureFolder();
    std::string Path() const;
    std::string PathOf(const std::string& name) const;
    // Writes the image as a PNG file; returns its path.
    std::string WritePng(const std::string& name, const QImage& image) const;
    std::string WriteBytes(const std::string& name, const QByteArray& bytes) const;
    // Writes and opens the image.
    std::shared_ptr<fw::Picture> Picture(const std::string& name, const QImage& image) const;

private:
    QTemporaryDir dir_;
};

// A window whose construction steps run what the test gives them.
class ScriptedWindow : public fw::Window {
public:
    static const fw::ClassRecord& Lookup();
    const fw::ClassRecord& Class() const override { return Lookup(); }

    std::function<void(ScriptedWindow&)> onLayout, onCreateControls, onOpen;

    void Layout() override {
        if (onLayout) onLayout(*this);
    }
    void CreateControls() override {
        if (onCreateControls) onCreateControls(*this);
    }
    void Event_Open() override {
        if (onOpen) onOpen(*this);
    }
};

// A constructed, shown window of the given content size.
std::shared_ptr<ScriptedWindow> OpenWindow(int width = 300, int height = 200);

// A control made on the window, placed in window coordinates, registered and constructed, as
// a window's CreateControls makes one.
template <class C>
std::shared_ptr<C> Place(fw::Window& window, const std::string& name, std::int64_t left,
                         std::int64_t top, std::int64_t width, std::int64_t height,
                         std::int64_t index = fw::kNoIndex, const std::string& initialParent = "") {
    auto control = fw::RuntimeCheckCast<C>(window.New(C::Lookup()));
    control->SetIndex(index);
    control->SetLeft(left);
    control->SetTop(top);
    control->SetWidth(width);
    control->SetHeight(height);
    if (!initialParent.empty()) control->SetInitialParent(initialParent);
    window.AddControl(name, control);
    control->Constructor();
    return control;
}

// What the game's card canvases paint: their backdrop stretched over the whole canvas, or
// nothing at all when they have none.
void PaintBackdrop(const fw::ObjectRef& sender, fw::Graphics& g, const std::vector<fw::Rect>&);

QImage Solid(int width, int height, QRgb color);
QByteArray PngBytes(const QImage& image);

}  // namespace fwtest
