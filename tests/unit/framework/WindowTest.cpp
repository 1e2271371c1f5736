// Windows: construction and its events, implicit instances, showing and closing, control
// look-ups, and exceptions that leave a handler.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "fw/Canvas.h"
#include "fw/Event.h"
#include "fw/Label.h"
#include "fw/Menu.h"
#include "fw/Picture.h"
#include "fw/PushButton.h"
#include "fw/Runtime.h"
#include "fw/WeakRef.h"
#include "fw/Window.h"
#include "fw/testing/Player.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

bool Shown(const fw::Window& window) {
    return window.NativeHandle() && window.NativeHandle()->window()->isVisible();
}

// A window that writes down every construction step it sees, and what held at that moment.
class OrderWindow : public fw::Window {
public:
    static const fw::ClassRecord& Lookup() {
        static const fw::ClassRecord& record = fw::RegisterClass({
            .name = "FwTest.OrderWindow",
            .super = &fw::Window::Lookup(),
            .factory = [] { return std::make_shared<OrderWindow>(); },
            .events = {"Layout", "CreateControls", "Open"},
        });
        return record;
    }
    const fw::ClassRecord& Class() const override { return Lookup(); }

    std::vector<std::string> log;
    bool visibleInLayout = true;  // the design value, applied by Layout as a design record does

    void Layout() override {
        Note("Layout");
        SetVisible(visibleInLayout);
        SetWidth(240);
        SetHeight(120);
    }

    void CreateControls() override {
        auto self = std::static_pointer_cast<OrderWindow>(shared_from_this());
        // Registered in this order; their Open events must follow it.
        for (const char* name : {"Second", "First"}) {
            auto canvas = fw::RuntimeCheckCast<fw::Canvas>(New(fw::Canvas::Lookup()));
            fw::RuntimeAddEventHandler(canvas->Open,
                                       fw::RuntimeCreateDelegate(self, &OrderWindow::Canvas_Open));
            canvas->Constructor();
            AddControl(name, canvas);
            Note(std::string("made ") + name);
        }
        auto label = fw::RuntimeCheckCast<fw::Label>(New(fw::Label::Lookup()));
        label->Constructor();
        AddControl("Caption", label);
        fw::RuntimeAddEventHandler(label->Open,
                                   fw::RuntimeCreateDelegate(self, &OrderWindow::Caption_Open));
        Note("CreateControls");
    }

    void Event_Open() override { Note("Open"); }

    void Canvas_Open(const std::shared_ptr<fw::Canvas>& sender) {
        // Every control exists and is registered before the first Open.
        Note(NameOf(*sender) + ".Open" + (ControlByName("Caption") ? "" : " (Caption missing)"));
    }
    void Caption_Open(const std::shared_ptr<fw::Label>& sender) { Note(sender->Name() + ".Open"); }

private:
    void Note(const std::string& step) {
        log.push_back(
            step + (Shown(*this) ? " [shown]" : "") +
            (fw::GetImplicitWindow(Class().Name()).get() == this ? "" : " [not implicit]"));
    }
};

class WindowTest : public FrameworkTest {};

TEST_F(WindowTest, ConstructionRaisesItsEventsInOrderThenShows) {
    auto window = std::make_shared<OrderWindow>();
    window->Constructor();
    EXPECT_EQ(window->log,
              (std::vector<std::string>{"Layout", "made Second", "made First", "CreateControls",
                                        "Second.Open", "First.Open", "Caption.Open", "Open"}));
    EXPECT_TRUE(window->IsOpen());
    EXPECT_TRUE(Shown(*window));
    EXPECT_EQ(window->NativeHandle()->size(), QSize(240, 120));  // the content area
    EXPECT_TRUE(Reports().empty());
}

TEST_F(WindowTest, InvisibleDesignWaitsForShowWhichReturnsAtOnce) {
    auto window = std::make_shared<OrderWindow>();
    window->visibleInLayout = false;
    window->Constructor();
    EXPECT_FALSE(Shown(*window));

    // Modeless: Show runs no event loop of its own, so nothing queued runs before it returns.
    bool queuedRan = false;
    QTimer::singleShot(0, [&] { queuedRan = true; });
    window->Show();
    EXPECT_FALSE(queuedRan);
    EXPECT_TRUE(Shown(*window));
    window->Show();  // again: still shown, nothing else
    EXPECT_TRUE(Shown(*window));
    fw::ProcessEvents();
    EXPECT_TRUE(queuedRan);
}

TEST_F(WindowTest, ControlOpenThatThrowsStopsConstructionAndClosesTheWindow) {
    auto window = std::make_shared<ScriptedWindow>();
    bool openRan = false;
    window->onCreateControls = [](ScriptedWindow& w) {
        auto label = Place<fw::Label>(w, "Broken", 0, 0, 10, 10);
        label->Open.Attach([](const fw::ObjectRef&) { throw fw::NilObjectException("no poem"); });
    };
    window->onOpen = [&](ScriptedWindow&) { openRan = true; };
    EXPECT_THROW(window->Constructor(), fw::NilObjectException);
    EXPECT_FALSE(openRan);
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow(ScriptedWindow::Lookup().Name()), nullptr);
    EXPECT_TRUE(fw::OpenWindows().empty());
}

TEST_F(WindowTest, WindowThatClosesItselfInOpenIsNoError) {
    auto window = std::make_shared<ScriptedWindow>();
    window->onOpen = [](ScriptedWindow& w) { w.Close(); };
    EXPECT_NO_THROW(window->Constructor());
    EXPECT_FALSE(window->IsOpen());
    EXPECT_FALSE(Shown(*window));
}

TEST_F(WindowTest, ConstructingTwiceRaises) {
    auto window = OpenWindow();
    EXPECT_THROW(window->Constructor(), fw::RuntimeException);
    EXPECT_TRUE(window->IsOpen());
}

// A window class used through its implicit instance, as the game window and the result window
// are: the accessor asks for the live one and makes one when there is none.
class ImplicitWindow : public fw::Window {
public:
    static inline int made = 0;
    static const fw::ClassRecord& Lookup() {
        static const fw::ClassRecord& record = fw::RegisterClass({
            .name = "FwTest.ImplicitWindow",
            .super = &fw::Window::Lookup(),
            .factory = [] { return std::make_shared<ImplicitWindow>(); },
            .implicitInstance = [] { return Implicit(); },
        });
        return record;
    }
    const fw::ClassRecord& Class() const override { return Lookup(); }

    static std::shared_ptr<ImplicitWindow> Implicit() {
        std::shared_ptr<fw::Window> live = fw::GetImplicitWindow(Lookup().Name());
        if (!live) {
            live = std::static_pointer_cast<fw::Window>(fw::RuntimeNewObject(Lookup()));
            live->Constructor();
        }
        return fw::RuntimeCheckCast<ImplicitWindow>(live);
    }

    void Event_Open() override { ++made; }
};

TEST_F(WindowTest, ImplicitInstanceIsTheLiveWindowOfItsClassName) {
    const int before = ImplicitWindow::made;
    auto first = ImplicitWindow::Implicit();
    auto again = ImplicitWindow::Implicit();
    EXPECT_EQ(first, again);
    EXPECT_EQ(ImplicitWindow::made, before + 1);
    EXPECT_EQ(fw::RuntimeImplicitInstance("FwTest.ImplicitWindow"), first);  // by its full name
    EXPECT_EQ(fw::GetImplicitWindow("FwTest.ImplicitWindow"), first);
    EXPECT_EQ(fw::GetImplicitWindow("ImplicitWindow"), nullptr);

    // Another class keeps its own: one live window per full class name.
    auto other = OpenWindow();
    EXPECT_EQ(fw::GetImplicitWindow(ScriptedWindow::Lookup().Name()), other);
    EXPECT_EQ(fw::GetImplicitWindow("FwTest.ImplicitWindow"), first);

    // A second window of the class made directly does not take the place of the live one.
    auto second = std::make_shared<ImplicitWindow>();
    second->Constructor();
    EXPECT_EQ(ImplicitWindow::Implicit(), first);
}

TEST_F(WindowTest, AfterCloseTheNextUseMakesANewWindow) {
    auto first = ImplicitWindow::Implicit();
    fw::WeakRef weak(first);
    first->Close();
    EXPECT_FALSE(first->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow("FwTest.ImplicitWindow"), nullptr);
    auto next = ImplicitWindow::Implicit();  // at once, before the closed one is released
    EXPECT_NE(next, first);
    EXPECT_TRUE(next->IsOpen());
    EXPECT_EQ(ImplicitWindow::Implicit(), next);

    first.reset();
    EXPECT_NE(weak.Value(), nullptr);  // released only once the event loop runs
    fw::ProcessEvents();
    EXPECT_EQ(weak.Value(), nullptr);
}

TEST_F(WindowTest, CloseReleasesTheWindowAndItsControls) {
    auto window = OpenWindow();
    auto label = Place<fw::Label>(*window, "Message", 10, 10, 100, 20);
    fw::WeakRef weakWindow(window), weakLabel(label);
    window->Close();
    window->Close();  // twice is once
    EXPECT_TRUE(fw::OpenWindows().empty());
    window.reset();
    label.reset();
    fw::ProcessEvents();
    EXPECT_EQ(weakWindow.Value(), nullptr);
    EXPECT_EQ(weakLabel.Value(), nullptr);
    EXPECT_THROW(std::make_shared<ScriptedWindow>()->Show(),
                 fw::NilObjectException);  // never constructed
}

// A control someone still holds when its window goes: its widget went with the window.
TEST_F(WindowTest, ControlThatOutlivesItsWindowIsStillSafeToUse) {
    auto window = OpenWindow();
    auto label = Place<fw::Label>(*window, "Message", 10, 10, 100, 20);
    auto canvas = Place<fw::Canvas>(*window, "FudaCanvas", 10, 40, 70, 160, 0);
    window->Close();
    window.reset();
    fw::ProcessEvents();
    EXPECT_EQ(label->Window(), nullptr);
    EXPECT_EQ(label->NativeHandle(), nullptr);
    label->SetText("正解");
    label->SetVisible(true);
    canvas->SetBackdrop(nullptr);
    EXPECT_EQ(label->Text(), "正解");
}

// The result window's OK button closes its own window from its handler.
TEST_F(WindowTest, WindowClosesItselfFromItsButtonsHandler) {
    auto window = OpenWindow();
    auto ok = Place<fw::PushButton>(*window, "OKButton", 10, 10, 80, 24);
    ok->SetCaption("OK");
    ok->Action.Attach([](const fw::ObjectRef& sender) {
        fw::RuntimeCheckCast<fw::PushButton>(sender)->Window()->Close();
    });
    fw::WeakRef weak(window);
    fw::testing::Click(*ok);
    EXPECT_FALSE(window->IsOpen());
    window.reset();
    ok.reset();
    fw::ProcessEvents();
    EXPECT_EQ(weak.Value(), nullptr);
    EXPECT_TRUE(Reports().empty());
}

TEST_F(WindowTest, UserClosingTheWindowClosesIt) {
    auto window = OpenWindow();
    window->NativeHandle()->window()->close();
    EXPECT_FALSE(window->IsOpen());
    EXPECT_EQ(fw::GetImplicitWindow(ScriptedWindow::Lookup().Name()), nullptr);
    EXPECT_TRUE(fw::OpenWindows().empty());
}

TEST_F(WindowTest, WindowsCarryTheIconBuiltIntoTheProgram) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("ukisomi"));
    // No folder of the application's holds anything: the icon comes from inside the program.
    PictureFolder folder;
    fw::Picture::SetAppFolders({folder.Path()});
    auto window = OpenWindow();
    const QIcon icon = window->NativeHandle()->window()->windowIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    ASSERT_EQ(sizes, (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(256, 256)}));
    for (const int size : {16, 32, 48, 256}) {
        const QImage drawn =
            QImage(QStringLiteral(UKISOMI_TEST_ICON_DIR "/ukisomi-%1.png").arg(size))
                .convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(drawn.isNull()) << size;
        EXPECT_EQ(icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32),
                  drawn)
            << size;
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(WindowTest, ControlsAreFoundByNameAndByNameAndIndex) {
    auto window = OpenWindow();
    std::vector<std::shared_ptr<fw::Canvas>> faces(3);
    for (int index : {2, 0, 1})
        faces[index] = Place<fw::Canvas>(*window, "FudaCanvas", 10 * index, 0, 5, 5, index);
    auto caption = Place<fw::Label>(*window, "ShogoText", 0, 50, 60, 20);

    EXPECT_EQ(window->ControlByName("ShogoText"), caption);
    EXPECT_EQ(window->ControlByName("shogotext"), caption);  // names ignore letter case
    EXPECT_EQ(caption->Index(), fw::kNoIndex);
    EXPECT_EQ(caption->Name(), "ShogoText");
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(window->ControlByNameIndex("FudaCanvas", index), faces[index]) << index;
        EXPECT_EQ(faces[index]->Index(), index);
        EXPECT_EQ(window->NameOf(*faces[index]), "FudaCanvas");
    }
    EXPECT_EQ(window->ControlByName("FudaCanvas"), faces[2]);  // the first registered
    EXPECT_EQ(window->ControlByNameIndex("FudaCanvas", 3), nullptr);
    EXPECT_EQ(window->ControlByNameIndex("CardCanvas", 0), nullptr);
    EXPECT_EQ(window->ControlByName("Missing"), nullptr);
    EXPECT_EQ(window->Controls(),
              (std::vector<fw::ObjectRef>{faces[2], faces[0], faces[1], caption}));
    EXPECT_THROW(window->AddControl("Nothing", nullptr), fw::NilObjectException);
}

TEST_F(WindowTest, NewPlacesTheObjectOnTheWindowBeforeItIsRegistered) {
    auto window = OpenWindow();
    auto canvas = fw::RuntimeCheckCast<fw::Canvas>(window->New(fw::Canvas::Lookup()));
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->Window(), window);
    EXPECT_FALSE(canvas->IsConstructed());
    EXPECT_EQ(window->ControlByName("MyCanvas"), nullptr);
    EXPECT_EQ(window->NameOf(*canvas), "");
    window->AddControl("MyCanvas", canvas);
    EXPECT_EQ(window->ControlByName("MyCanvas"), canvas);
    EXPECT_THROW(fw::Canvas().Constructor(), fw::NilObjectException);  // no window to be placed on
}

TEST_F(WindowTest, MenuBarIsTheOneAttachedOrNothing) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = std::make_shared<fw::MenuItem>();
    file->SetName("FileMenu");
    file->SetText("ファイル(&F)");
    bar->AddMenu(file);
    auto window = std::make_shared<ScriptedWindow>();
    window->onLayout = [&](ScriptedWindow& w) {
        w.SetMenuBar(bar);
        w.SetWidth(200);
        w.SetHeight(100);
    };
    window->Constructor();
    EXPECT_EQ(window->MenuBar(), bar);
    // A shown bar lies above the content area, which keeps the window's size.
    EXPECT_EQ(window->NativeHandle()->size(), QSize(200, 100));
    EXPECT_EQ(fw::testing::Grab(*window).height, 100);
    EXPECT_EQ(OpenWindow()->MenuBar(), nullptr);
}

// A handler's exception goes to the default handler with its class name and message, and the
// next event still arrives.
TEST_F(WindowTest, ExceptionFromAHandlerIsReportedAndTheNextEventArrives) {
    auto window = OpenWindow();
    auto button = Place<fw::PushButton>(*window, "StartButton", 10, 10, 80, 24);
    int presses = 0;
    button->Action.Attach([&](const fw::ObjectRef&) {
        ++presses;
        if (presses == 1) throw fw::OutOfBoundsException("card slot 10");
        if (presses == 2) throw std::runtime_error("not a framework error");
    });
    fw::testing::Click(*button);
    fw::testing::Click(*button);
    fw::testing::Click(*button);
    EXPECT_EQ(presses, 3);
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_EQ(Reports()[0].className, "OutOfBoundsException");
    EXPECT_EQ(Reports()[0].message, "card slot 10");
    EXPECT_EQ(Reports()[1].message, "not a framework error");
    EXPECT_TRUE(window->IsOpen());
}

TEST_F(WindowTest, DeliverHandsEveryKindOfExceptionToTheReporter) {
    fw::Deliver([] { throw fw::IllegalCastException("Label cannot be cast to Canvas"); });
    fw::Deliver([] { throw 42; });
    fw::Deliver([] {});
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_EQ(Reports()[0].className, "IllegalCastException");
    EXPECT_EQ(Reports()[0].message, "Label cannot be cast to Canvas");
    EXPECT_FALSE(Reports()[1].message.empty());
}

TEST_F(WindowTest, DelegateHoldsItsWindowWeakly) {
    auto window = std::make_shared<OrderWindow>();
    auto canvas = std::make_shared<fw::Canvas>();
    auto delegate = fw::RuntimeCreateDelegate(window, &OrderWindow::Canvas_Open);
    fw::RuntimeAddEventHandler(canvas->Open, delegate);
    EXPECT_EQ(canvas->Open.HandlerCount(), 1u);
    EXPECT_EQ(window.use_count(), 1);
    // The sender is cast to the handler's class.
    EXPECT_THROW(delegate(std::make_shared<fw::Label>()), fw::IllegalCastException);
    window.reset();
    EXPECT_THROW(canvas->Open.Raise(canvas), fw::NilObjectException);
    EXPECT_THROW(
        fw::RuntimeCreateDelegate(std::shared_ptr<OrderWindow>(), &OrderWindow::Canvas_Open),
        fw::NilObjectException);
}

}  // namespace
}  // namespace fwtest

namespace fwtest {
namespace {

// The exception helper start-up installs: a RuntimeException comes back as the result, any
// other exception goes on to the caller.
TEST(ExceptionHelper, ReturnsTheRuntimeExceptionAndPassesOthersOn) {
    int calls = 0;
    EXPECT_EQ(
        fw::CallFunctionWithExceptionHandling([](void* n) { ++*static_cast<int*>(n); }, &calls),
        nullptr);
    EXPECT_EQ(calls, 1);

    std::exception_ptr raised = fw::CallFunctionWithExceptionHandling(
        [](void*) { throw fw::OutOfBoundsException("index 10 outside 0..9"); }, nullptr);
    ASSERT_NE(raised, nullptr);
    try {
        std::rethrow_exception(raised);
    } catch (const fw::OutOfBoundsException& e) {
        EXPECT_STREQ(e.what(), "index 10 outside 0..9");
    }

    EXPECT_THROW(fw::CallFunctionWithExceptionHandling(
                     [](void*) { throw std::logic_error("other"); }, nullptr),
                 std::logic_error);
}

}  // namespace
}  // namespace fwtest
