// User-interface members used from another thread raise ThreadAccessingUIException and change
// nothing.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fw/Array.h"
#include "fw/Canvas.h"
#include "fw/Label.h"
#include "fw/Listbox.h"
#include "fw/Menu.h"
#include "fw/Picture.h"
#include "fw/PushButton.h"
#include "fw/TextEdit.h"
#include "fw/Thread.h"
#include "fw/Timer.h"
#include "fw/Window.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

// How `call` ended on a thread of its own.
enum class Outcome { Returned, ThreadAccessingUI, OtherException };

Outcome OnAnotherThread(const std::function<void()>& call) {
    Outcome outcome = Outcome::Returned;
    std::thread worker([&] {
        try {
            call();
        } catch (const fw::ThreadAccessingUIException&) {
            outcome = Outcome::ThreadAccessingUI;
        } catch (...) {
            outcome = Outcome::OtherException;
        }
    });
    worker.join();
    return outcome;
}

class ThreadTest : public FrameworkTest {};

TEST_F(ThreadTest, UserInterfaceMembersRaiseOffTheGuiThread) {
    EXPECT_TRUE(fw::OnUIThread());
    auto window = OpenWindow();
    auto label = Place<fw::Label>(*window, "Label1", 0, 0, 50, 20);
    auto field = Place<fw::TextField>(*window, "TimeField", 0, 30, 50, 20);
    auto area = Place<fw::TextArea>(*window, "OdaiField", 0, 60, 100, 40);
    auto canvas = Place<fw::Canvas>(*window, "FudaCanvas", 100, 0, 70, 160, 0);
    auto button = Place<fw::PushButton>(*window, "StartButton", 0, 110, 60, 24);
    auto list = Place<fw::Listbox>(*window, "ListBox1", 200, 0, 80, 80);
    auto timer = std::make_shared<fw::Timer>();
    auto bar = std::make_shared<fw::MenuBar>();
    label->SetText("なし");
    field->SetText("0");
    list->SetInitialValue("a\r\nb");
    auto names = fw::CreateArray<std::string>(0);
    (*names)(0) = "Green.png";

    struct Case {
        std::string member;
        std::function<void()> call;
    };
    const std::vector<Case> cases = {
        {"Window::Show", [&] { window->Show(); }},
        {"Window::Close", [&] { window->Close(); }},
        {"Window::SetWidth", [&] { window->SetWidth(10); }},
        {"Window::SetTitle", [&] { window->SetTitle("x"); }},
        {"Window::Left", [&] { window->Left(); }},
        {"Window::ControlByName", [&] { window->ControlByName("Label1"); }},
        {"Window::ControlByNameIndex", [&] { window->ControlByNameIndex("FudaCanvas", 0); }},
        {"Window::AddControl", [&] { window->AddControl("Other", std::make_shared<fw::Label>()); }},
        {"Window::New", [&] { window->New(fw::Label::Lookup()); }},
        {"Window::Constructor", [] { std::make_shared<ScriptedWindow>()->Constructor(); }},
        {"GetImplicitWindow", [] { fw::GetImplicitWindow(ScriptedWindow::Lookup().Name()); }},
        {"Control::Window", [&] { label->Window(); }},
        {"Control::SetIndex", [&] { canvas->SetIndex(5); }},
        {"RectControl::SetVisible", [&] { label->SetVisible(false); }},
        {"RectControl::SetLeft", [&] { label->SetLeft(99); }},
        {"RectControl::Constructor", [&] { fw::Label().Constructor(); }},
        {"Label::SetText", [&] { label->SetText("正解"); }},
        {"Label::SetFontName", [&] { label->SetFontName("MS明朝"); }},
        {"TextField::Text", [&] { field->Text(); }},
        {"TextField::SetText", [&] { field->SetText("20"); }},
        {"TextArea::SetText", [&] { area->SetText("あ"); }},
        {"Canvas::SetBackdrop", [&] { canvas->SetBackdrop(nullptr); }},
        {"Canvas::Paint attach", [&] { canvas->Paint.Attach([](auto&, auto&, auto&) {}); }},
        {"PushButton::SetCaption", [&] { button->SetCaption("x"); }},
        {"Listbox::List", [&] { list->List(0); }},
        {"Listbox::SetInitialValue", [&] { list->SetInitialValue(""); }},
        {"Timer::Timer", [] { fw::Timer timer; }},
        {"Timer::SetRunMode", [&] { timer->SetRunMode(2); }},
        {"Timer::SetPeriod", [&] { timer->SetPeriod(5); }},
        {"Timer::CallAction", [&] { timer->CallAction(); }},
        {"MenuItem::AddMenu", [&] { bar->AddMenu(std::make_shared<fw::MenuItem>()); }},
        {"MenuItem::SetText", [&] { bar->SetText("x"); }},
        {"Picture::OpenFilesFromApp", [&] { fw::Picture::OpenFilesFromApp(names); }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OnAnotherThread(c.call), Outcome::ThreadAccessingUI) << c.member;

    // Nothing changed.
    EXPECT_TRUE(window->IsOpen());
    EXPECT_EQ(window->Width(), 300);
    EXPECT_EQ(label->Text(), "なし");
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(field->Text(), "0");
    EXPECT_EQ(list->ListCount(), 2);
    EXPECT_EQ(canvas->Index(), 0);
    EXPECT_EQ(timer->RunMode(), 0);
    EXPECT_EQ(bar->Count(), 0);
    EXPECT_EQ(window->Controls().size(), 6u);
}

// What touches no user interface works from any thread.
TEST_F(ThreadTest, PlainValuesWorkOffTheGuiThread) {
    PictureFolder folder;
    const std::string path = folder.WritePng("Green.png", Solid(3, 4, 0xff008000u));
    EXPECT_EQ(OnAnotherThread([&] {
                  if (!fw::Picture::Open(path)) throw std::runtime_error("no picture");
                  auto array = fw::CreateArray<std::int64_t>(9);
                  (*array)(9) = 1;
              }),
              Outcome::Returned);
}

}  // namespace
}  // namespace fwtest
