#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Picture.h"
#include "game/KarutaWindow.h"
#include "support/GameTest.h"

namespace window {

// The window tests open the game window on the game tests' one fixture.
using OpenWindowTest = gametest::GameTest;

// Every menu-item accessor of the game window with the name it looks up, in the class's
// method order.
inline std::vector<std::pair<std::string, std::function<fw::ObjectRef(const game::KarutaWindow&)>>>
MenuAccessors() {
    using W = game::KarutaWindow;
    return {
        {"UntitledMenu2", [](const W& w) { return fw::ObjectRef(w.UntitledMenu2()); }},
        {"EditMenu", [](const W& w) { return fw::ObjectRef(w.EditMenu()); }},
        {"UntitledMenu3", [](const W& w) { return fw::ObjectRef(w.UntitledMenu3()); }},
        {"UntitledMenu4", [](const W& w) { return fw::ObjectRef(w.UntitledMenu4()); }},
        {"EditClear", [](const W& w) { return fw::ObjectRef(w.EditClear()); }},
        {"EditPaste", [](const W& w) { return fw::ObjectRef(w.EditPaste()); }},
        {"EditCopy", [](const W& w) { return fw::ObjectRef(w.EditCopy()); }},
        {"EditCut", [](const W& w) { return fw::ObjectRef(w.EditCut()); }},
        {"UntitledMenu0", [](const W& w) { return fw::ObjectRef(w.UntitledMenu0()); }},
        {"EditUndo", [](const W& w) { return fw::ObjectRef(w.EditUndo()); }},
        {"FileMenu", [](const W& w) { return fw::ObjectRef(w.FileMenu()); }},
        {"UntitledMenu5", [](const W& w) { return fw::ObjectRef(w.UntitledMenu5()); }},
        {"FileQuit", [](const W& w) { return fw::ObjectRef(w.FileQuit()); }},
        {"UntitledMenu1", [](const W& w) { return fw::ObjectRef(w.UntitledMenu1()); }},
    };
}

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

}  // namespace window
