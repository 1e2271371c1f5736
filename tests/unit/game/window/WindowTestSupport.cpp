#include "unit/game/window/WindowTestSupport.h"

#include <QColor>
#include <QImage>

#include <filesystem>
#include <random>

#include "fw/Runtime.h"
#include "fw/Window.h"

namespace window {

void OpenWindowTest::SetUp() {
    fw::Picture::SetAppFolders({UKISOMI_TEST_PICTURE_DIR});
    fw::SetUnhandledExceptionReporter(
        [this](const std::string& className, const std::string& message) {
            unhandled_.push_back(className + ": " + message);
        });
    win = game::KarutaWindow::Implicit();
    ASSERT_TRUE(win);
}

void OpenWindowTest::TearDown() {
    for (const std::string& e : unhandled_) ADD_FAILURE() << "unhandled exception: " << e;
    win.reset();
    CloseAllWindows();
    fw::SetUnhandledExceptionReporter({});
    fw::Picture::SetAppFolders({});
}

void CloseAllWindows() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessEvents();
}

TempFolder::TempFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    std::filesystem::path path;
    do {
        path = base / ("ukisomi-window-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path));
    path_ = path.string();
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string BuiltPicture(std::string_view name) {
    return std::string(UKISOMI_TEST_PICTURE_DIR) + "/" + std::string(name);
}

void WritePicture(const std::string& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
}

std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xc0) != 0x80) ++count;
    return count;
}

}  // namespace window
