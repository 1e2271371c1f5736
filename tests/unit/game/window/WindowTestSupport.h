#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Picture.h"
#include "game/KarutaWindow.h"

namespace window {

// The game window opened fresh for each test, its pictures read from the build's picture
// folder. Exceptions that leave a handler fail the test.
class OpenWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::shared_ptr<game::KarutaWindow> win;

private:
    std::vector<std::string> unhandled_;
};

// Closes every open window and lets the framework release them.
void CloseAllWindows();

// One DrawPicture call, as a Paint handler made it.
struct DrawCall {
    std::shared_ptr<fw::Picture> picture;
    std::vector<double> numbers;  // x, y, width, height, source x, y, width, height
};

// A Graphics that records what is drawn on it.
class RecordingGraphics : public fw::Graphics {
public:
    void DrawPicture(const std::shared_ptr<fw::Picture>& picture, double x, double y, double width,
                     double height, double sourceX, double sourceY, double sourceWidth,
                     double sourceHeight) override {
        calls.push_back(
            {picture, {x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight}});
    }

    std::vector<DrawCall> calls;
};

// A folder of its own under the system's temporary folder, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

// The picture file of that name from the build's picture folder.
std::string BuiltPicture(std::string_view name);

// Writes a plain PNG picture of that size.
void WritePicture(const std::string& path, int width, int height);

// The characters (code points) of a UTF-8 text, counted without the framework.
std::size_t CountCharacters(std::string_view utf8);

}  // namespace window
