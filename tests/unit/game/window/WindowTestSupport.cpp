#include "unit/game/window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <filesystem>
#include <random>

namespace window {

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

}  // namespace window
