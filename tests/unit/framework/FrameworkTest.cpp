#include "unit/framework/FrameworkTest.h"

#include <QBuffer>
#include <QFile>

#include "fw/Canvas.h"
#include "fw/Date.h"
#include "fw/Random.h"
#include "fw/Runtime.h"
#include "fw/Window.h"
#include "fw/testing/Seams.h"

namespace fwtest {

void FrameworkTest::SetUp() {
    auto reports = reports_;
    fw::SetUnhandledExceptionReporter(
        [reports](const std::string& className, const std::string& message) {
            reports->push_back({className, message});
        });
}

void FrameworkTest::TearDown() {
    fw::testing::CloseAllWindows();
    EXPECT_TRUE(fw::OpenWindows().empty());
    fw::SetUnhandledExceptionReporter({});
    fw::Date::SetClock({});
    fw::Random::SetSeedSource({});
    fw::Picture::SetAppFolders({});
}

const fw::ClassRecord& ScriptedWindow::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "FwTest.ScriptedWindow",
        .super = &fw::Window::Lookup(),
        .factory = [] { return std::make_shared<ScriptedWindow>(); },
        .events = {"Layout", "CreateControls", "Open"},
    });
    return record;
}

std::shared_ptr<ScriptedWindow> OpenWindow(int width, int height) {
    auto window = std::make_shared<ScriptedWindow>();
    window->onLayout = [=](ScriptedWindow& w) {
        w.SetWidth(width);
        w.SetHeight(height);
        w.SetHasBackgroundColor(true);
        w.SetBackgroundColor(fw::Color{0x00ffffff});
    };
    window->Constructor();
    return window;
}

PictureFolder::PictureFolder() { EXPECT_TRUE(dir_.isValid()); }

std::string PictureFolder::Path() const { return dir_.path().toStdString(); }

std::string PictureFolder::PathOf(const std::string& name) const { return Path() + "/" + name; }

std::string PictureFolder::WritePng(const std::string& name, const QImage& image) const {
    return WriteBytes(name, PngBytes(image));
}

std::string PictureFolder::WriteBytes(const std::string& name, const QByteArray& bytes) const {
    const std::string path = PathOf(name);
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path;
    EXPECT_EQ(file.write(bytes), bytes.size()) << path;
    return path;
}

std::shared_ptr<fw::Picture> PictureFolder::Picture(const std::string& name,
                                                    const QImage& image) const {
    auto picture = fw::Picture::Open(WritePng(name, image));
    EXPECT_NE(picture, nullptr) << name;
    return picture;
}

void PaintBackdrop(const fw::ObjectRef& sender, fw::Graphics& g, const std::vector<fw::Rect>&) {
    auto canvas = fw::RuntimeCheckCast<fw::Canvas>(sender);
    if (auto picture = canvas->Backdrop())
        g.DrawPicture(picture, 0, 0, static_cast<double>(canvas->Width()),
                      static_cast<double>(canvas->Height()), 0, 0,
                      static_cast<double>(picture->Width()),
                      static_cast<double>(picture->Height()));
}

QImage Solid(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return bytes;
}

}  // namespace fwtest
