// The card canvas classes with their two constructors, and the timer class that a window can
// hold among its controls.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fw/Runtime.h"
#include "fw/Window.h"
#include "game/CardCanvas.h"
#include "game/CardPictures.h"
#include "game/FudaCanvas.h"
#include "game/KarutaWindow.h"
#include "game/wrapper_MyTimer.h"
#include "unit/game/window/WindowTestSupport.h"

namespace window {
namespace {

using game::CardCanvas;
using game::FudaCanvas;
using Wrapper = game::KarutaWindow::wrapper_MyTimer;

struct CanvasClass {
    const fw::ClassRecord& record;
    const char* name;
    const char* set;
    std::size_t handlers;  // attached by the run-time constructor
};

std::vector<CanvasClass> CanvasClasses() {
    return {{CardCanvas::Lookup(), "KarutaWindow.CardCanvas", "CardCanvas", 2},
            {FudaCanvas::Lookup(), "KarutaWindow.FudaCanvas", "FudaCanvas", 3}};
}

std::size_t HandlersOn(const fw::Canvas& c) {
    return c.Open.HandlerCount() + c.Paint.HandlerCount() + c.MouseDown.HandlerCount();
}

// Constructs a canvas of the class through its index constructor.
void ConstructWithIndex(const fw::ObjectRef& canvas, std::int64_t index) {
    if (auto frame = std::dynamic_pointer_cast<CardCanvas>(canvas)) frame->Constructor(index);
    if (auto face = std::dynamic_pointer_cast<FudaCanvas>(canvas)) face->Constructor(index);
}

TEST(CanvasClasses, AreCanvasesKnownByTheirFullNamesWithPaintAsDefaultEvent) {
    CardCanvas::ctblinit();
    FudaCanvas::ctblinit();
    const auto canvasTable = fw::Canvas::Lookup().MethodTable();
    for (const CanvasClass& c : CanvasClasses()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fw::FindClass(c.name), &c.record);
        EXPECT_EQ(c.record.Super(), &fw::Canvas::Lookup());
        EXPECT_EQ(c.record.Attribute("DefaultEvent"), "Paint");
        // Canvas's own table, the parameterless constructor in its place, then Constructor(index).
        const auto table = c.record.MethodTable();
        ASSERT_EQ(table.size(), canvasTable.size() + 1);
        for (std::size_t i = 0; i < canvasTable.size(); ++i) {
            EXPECT_EQ(table[i].name, canvasTable[i].name);
            EXPECT_EQ(table[i].params, canvasTable[i].params);
        }
        EXPECT_EQ(table.back().name, "Constructor");
        EXPECT_EQ(table.back().params, "index As Integer");
    }
}

class CanvasConstructors : public OpenWindowTest {};

TEST_F(CanvasConstructors, TheIndexConstructorGivesTheSlotAndNothingElse) {
    for (const CanvasClass& c : CanvasClasses()) {
        SCOPED_TRACE(c.name);
        const fw::ObjectRef made = win->New(c.record);
        ConstructWithIndex(made, 7);
        auto canvas = fw::RuntimeCheckCast<fw::Canvas>(made);
        EXPECT_EQ(canvas->Index(), 7);
        EXPECT_TRUE(canvas->IsConstructed());
        EXPECT_EQ(HandlersOn(*canvas), 0u);
        EXPECT_EQ(win->NameOf(*canvas), "") << "not registered";
        EXPECT_EQ(canvas->Width(), fw::Canvas().Width()) << "no design values";
        EXPECT_EQ(canvas->Backdrop(), nullptr);
    }
}

TEST_F(CanvasConstructors, TheRunTimeConstructorSetsUpAFurtherMemberFromMemberOnesDesign) {
    const auto before = win->Controls().size();
    for (const CanvasClass& c : CanvasClasses()) {
        SCOPED_TRACE(c.name);
        auto canvas = fw::RuntimeCheckCast<fw::Canvas>(win->New(c.record));
        canvas->Constructor();
        EXPECT_EQ(canvas->Index(), 0) << "set after the record's 1";
        auto member1 = win->ControlByNameIndex(c.set, 1);
        auto one = fw::RuntimeCheckCast<fw::Canvas>(member1);
        EXPECT_EQ(canvas->Left(), one->Left());
        EXPECT_EQ(canvas->Top(), one->Top());
        EXPECT_EQ(canvas->Width(), one->Width());
        EXPECT_EQ(canvas->Height(), one->Height());
        EXPECT_EQ(canvas->InitialParent(), one->InitialParent());
        EXPECT_EQ(canvas->Parent(), one->Parent());
        EXPECT_EQ(win->NameOf(*canvas), c.set);
        EXPECT_TRUE(canvas->IsConstructed());
        EXPECT_EQ(HandlersOn(*canvas), c.handlers);
        EXPECT_EQ(canvas->Open.HandlerCount(), 1u);
        EXPECT_EQ(canvas->Paint.HandlerCount(), 1u);
        // The handlers are the window's: its Open gives the empty-card picture.
        canvas->Open.Raise(canvas);
        EXPECT_EQ(canvas->Backdrop(), game::Green());
        EXPECT_NE(canvas->Backdrop(), nullptr);
    }
    EXPECT_EQ(win->Controls().size(), before + 2);
    EXPECT_EQ(fw::RuntimeCheckCast<fw::Canvas>(win->Controls().back())->Parent(),
              win->CardCanvas(1));
}

TEST(CanvasRunTimeConstructor, WithoutAWindowStopsAtTheFirstHandlerWithTheDesignApplied) {
    auto frame = std::make_shared<CardCanvas>();
    EXPECT_THROW(frame->Constructor(), fw::NilObjectException);
    EXPECT_EQ(frame->Left(), 132);
    EXPECT_EQ(frame->Index(), 1) << "the index is set only after the handlers";
    EXPECT_EQ(HandlersOn(*frame), 0u);
    EXPECT_FALSE(frame->IsConstructed());

    auto face = std::make_shared<FudaCanvas>();
    EXPECT_THROW(face->Constructor(), fw::NilObjectException);
    EXPECT_EQ(face->Left(), 142);
    EXPECT_EQ(face->InitialParent(), "CardCanvas$1");
    EXPECT_EQ(HandlersOn(*face), 0u);
}

TEST(CanvasRunTimeConstructor, OnAWindowOfAnotherClassTheCastRaises) {
    auto other = std::make_shared<fw::Window>();
    other->Constructor();
    auto frame = fw::RuntimeCheckCast<CardCanvas>(other->New(CardCanvas::Lookup()));
    EXPECT_THROW(frame->Constructor(), fw::IllegalCastException);
    EXPECT_EQ(HandlersOn(*frame), 0u);
    EXPECT_TRUE(other->Controls().empty());
    other->Close();
    fw::ProcessEvents();
}

TEST(TimerClass, IsATimerThatAWindowCanHold) {
    Wrapper::ctblinit();
    const fw::ClassRecord& record = Wrapper::Lookup();
    EXPECT_EQ(fw::FindClass("KarutaWindow._wrapper_MyTimer"), &record);
    EXPECT_EQ(record.Super(), &fw::Timer::Lookup());
    EXPECT_TRUE(record.ImplementsInterface("_PaneChild"));
    EXPECT_TRUE(record.ImplementsInterface("actionSource"));
    std::vector<std::string> names, hidden;
    for (const auto& m : record.MethodTable()) {
        names.push_back(m.name);
        if (m.IsHidden()) hidden.push_back(m.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{
                  "addActionNotificationReceiver", "removeActionNotificationReceiver", "Reset",
                  "_CallAction", "_SetWindow", "Window", "_Index", "_SetIndex", "Constructor"}));
    EXPECT_EQ(hidden, (std::vector<std::string>{"_SetWindow", "_Index", "_SetIndex"}));
    ASSERT_NE(record.FindProperty("Index"), nullptr);
}

TEST(TimerClass, KnowsItsWindowOnlyWeakly) {
    Wrapper timer;
    timer.Constructor();
    EXPECT_EQ(timer.Window(), nullptr);
    EXPECT_EQ(timer.Index(), 0);
    EXPECT_EQ(timer.RunMode(), fw::Timer::Off) << "constructing starts nothing";
    EXPECT_EQ(timer.Action.HandlerCount(), 0u);

    auto first = std::make_shared<fw::Window>();
    timer.SetWindow(first);
    EXPECT_EQ(timer.Window(), first);
    std::weak_ptr<fw::WeakRef> firstRef = timer.ownerWindow;

    auto second = std::make_shared<fw::Window>();
    timer.SetWindow(second);
    EXPECT_EQ(timer.Window(), second);
    EXPECT_TRUE(firstRef.expired()) << "the first reference is released";
    EXPECT_EQ(first.use_count(), 1) << "the timer keeps no window alive";

    second.reset();
    EXPECT_EQ(timer.Window(), nullptr);
    EXPECT_NE(timer.ownerWindow, nullptr);
}

TEST(TimerClass, GivesBackAnyIndexItIsGiven) {
    Wrapper timer;
    for (std::int64_t index :
         {std::int64_t{5}, std::int64_t{-3}, fw::kNoIndex, std::numeric_limits<std::int64_t>::min(),
          std::numeric_limits<std::int64_t>::max()}) {
        timer.SetIndex(index);
        EXPECT_EQ(timer.Index(), index);
    }
}

TEST(TimerClass, AWindowPlacesItAndFindsItByName) {
    auto holder = std::make_shared<game::KarutaWindow>();
    auto timer = fw::RuntimeCheckCast<Wrapper>(holder->New(Wrapper::Lookup()));
    EXPECT_EQ(timer->Window(), holder);
    holder->AddControl("MyTimer", timer);
    EXPECT_EQ(holder->MyTimer(), timer);
    std::weak_ptr<fw::WeakRef> ref = timer->ownerWindow;
    timer.reset();
    holder.reset();  // the window and then the timer go; the timer's reference with them
    EXPECT_TRUE(ref.expired());
}

}  // namespace
}  // namespace window
