// Menus (building, finding items, showing them on a window, the quit item and its shortcut)
// and file types.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "fw/Application.h"
#include "fw/FileType.h"
#include "fw/Menu.h"
#include "fw/Runtime.h"
#include "fw/TextEdit.h"
#include "fw/Window.h"
#include "unit/framework/FrameworkTest.h"

namespace fwtest {
namespace {

struct Row {
    std::string name, menu;  // menu: empty for a menu on the bar
    const fw::ClassRecord& (*record)();
    std::string caption, shortcut;
};

// The shape of the program's bar: empty captions, a separator, a quit item, an app item.
std::vector<Row> Rows() {
    const fw::ClassRecord& (*item)() = &fw::MenuItem::Lookup;
    return {
        {"UntitledMenu1", "", item, "", ""},
        {"FileMenu", "", item, "ファイル(&F)", ""},
        {"FileQuit", "FileMenu", &fw::QuitMenuItem::Lookup, "終了(&X)", "Ctrl+Q"},
        {"UntitledMenu5", "FileMenu", item, "", ""},
        {"EditMenu", "", item, "編集(&E)", ""},
        {"EditUndo", "EditMenu", item, "取り消し", "Ctrl+Z"},
        {"UntitledMenu0", "EditMenu", item, "-", ""},
        {"EditCopy", "EditMenu", item, "コピー", "Ctrl+C"},
        {"UntitledMenu3", "EditMenu", &fw::AppMenuItem::Lookup, "", ""},
        {"UntitledMenu2", "", item, "", ""},
    };
}

std::shared_ptr<fw::MenuBar> BuildBar() {
    auto bar = std::make_shared<fw::MenuBar>();
    bar->Constructor();
    for (const Row& row : Rows()) {
        auto item = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(row.record()));
        item->Constructor();
        item->SetName(row.name);
        item->SetAutoEnable(true);
        item->SetText(row.caption);
        item->SetVisible(true);
        item->SetCommandKey(row.shortcut);
        if (row.menu.empty())
            bar->AddMenu(item);
        else
            bar->Child(row.menu)->AddMenu(item);
    }
    return bar;
}

class MenuTest : public FrameworkTest {};

TEST_F(MenuTest, ItemsAreAppendedInOrderAndFoundByName) {
    auto bar = BuildBar();
    ASSERT_EQ(bar->Count(), 4);
    std::vector<std::string> menus;
    for (std::int64_t i = 0; i < bar->Count(); ++i) menus.push_back(bar->Item(i)->Name());
    EXPECT_EQ(menus,
              (std::vector<std::string>{"UntitledMenu1", "FileMenu", "EditMenu", "UntitledMenu2"}));
    EXPECT_EQ(bar->Child("FileMenu")->Count(), 2);
    EXPECT_EQ(bar->Child("EditMenu")->Item(1)->Text(), "-");
    EXPECT_THROW(bar->Item(4), fw::OutOfBoundsException);
    EXPECT_THROW(bar->Item(-1), fw::OutOfBoundsException);

    // Child looks one level down; Lookup anywhere below.
    EXPECT_EQ(bar->Child("FileQuit"), nullptr);
    auto quit = bar->Lookup("FileQuit");
    ASSERT_NE(quit, nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<fw::QuitMenuItem>(quit), nullptr);
    EXPECT_EQ(quit->Text(), "終了(&X)");
    EXPECT_EQ(quit->CommandKey(), "Ctrl+Q");
    EXPECT_EQ(bar->Child("FileMenu")->Child("FileQuit"), quit);
    EXPECT_NE(std::dynamic_pointer_cast<fw::AppMenuItem>(bar->Lookup("UntitledMenu3")), nullptr);
    EXPECT_EQ(bar->Lookup("EditMenu"), bar->Item(2));
    EXPECT_EQ(bar->Lookup("NoSuchItem"), nullptr);
    EXPECT_EQ(bar->Child("NoSuchItem"), nullptr);
}

TEST_F(MenuTest, AddMenuRefusesNothingAndLoops) {
    auto bar = std::make_shared<fw::MenuBar>();
    auto menu = std::make_shared<fw::MenuItem>();
    auto item = std::make_shared<fw::MenuItem>();
    bar->AddMenu(menu);
    menu->AddMenu(item);
    EXPECT_THROW(bar->AddMenu(nullptr), fw::NilObjectException);
    EXPECT_THROW(menu->AddMenu(menu), fw::InvalidArgumentException);
    EXPECT_THROW(item->AddMenu(bar), fw::InvalidArgumentException);  // would hold its own ancestors
    EXPECT_THROW(item->AddMenu(menu), fw::InvalidArgumentException);
    EXPECT_EQ(item->Count(), 0);
    EXPECT_EQ(bar->Lookup("anything"), nullptr);  // the tree stayed a tree
}

std::shared_ptr<ScriptedWindow> WindowWithBar(const std::shared_ptr<fw::MenuBar>& bar,
                                              bool barVisible) {
    auto window = std::make_shared<ScriptedWindow>();
    window->onLayout = [=](ScriptedWindow& w) {
        w.SetMenuBar(bar);
        w.SetMenuBarVisible(barVisible);
    };
    window->Constructor();
    return window;
}

QAction* ShortcutAction(const fw::Window& window, const QKeySequence& keys) {
    for (QAction* action : window.NativeHandle()->window()->actions())
        if (action->shortcut() == keys) return action;
    return nullptr;
}

TEST_F(MenuTest, ShownBarHasTheVisibleMenusWithTheirCaptions) {
    auto window = WindowWithBar(BuildBar(), true);
    auto* bar = window->NativeHandle()->window()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    QStringList captions;
    for (QAction* action : bar->actions()) captions << action->text();
    EXPECT_EQ(captions, (QStringList{"", "ファイル(&F)", "編集(&E)", ""}));
    QMenu* edit = bar->actions()[2]->menu();
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->actions().size(), 4);
    EXPECT_TRUE(edit->actions()[1]->isSeparator());
}

TEST_F(MenuTest, HiddenBarHasNoWidgetButItsShortcutsWork) {
    auto window = WindowWithBar(BuildBar(), false);
    EXPECT_EQ(window->NativeHandle()->window()->findChild<QMenuBar*>(), nullptr);
    QAction* quit = ShortcutAction(*window, QKeySequence(QStringLiteral("Ctrl+Q")));
    ASSERT_NE(quit, nullptr);
    EXPECT_NE(ShortcutAction(*window, QKeySequence(QStringLiteral("Ctrl+Z"))), nullptr);

    bool stoppedByQuit = true;
    QTimer::singleShot(0, quit, &QAction::trigger);
    QTimer::singleShot(3000, [&] {
        stoppedByQuit = false;
        fw::Application::Quit(0);
    });
    fw::RuntimeRun();
    EXPECT_TRUE(stoppedByQuit) << "Ctrl+Q did not end the event loop";
}

// Hiding and showing the bar on an open window rebuilds it: the old bar and shortcuts go, so
// the window never holds two of either.
TEST_F(MenuTest, HidingAndShowingTheBarOnAnOpenWindowKeepsOneBarAndOneSetOfShortcuts) {
    auto window = WindowWithBar(BuildBar(), true);
    QWidget* top = window->NativeHandle()->window();
    const auto bars = [&] { return top->findChildren<QMenuBar*>().size(); };
    const qsizetype shortcuts = top->actions().size();
    ASSERT_EQ(bars(), 1);
    ASSERT_EQ(shortcuts, 3);  // Ctrl+Q, Ctrl+Z, Ctrl+C
    for (const bool visible : {false, true, true, false, true}) {
        window->SetMenuBarVisible(visible);
        EXPECT_EQ(bars(), visible ? 1 : 0);
        EXPECT_EQ(top->actions().size(), shortcuts);
    }
    EXPECT_NE(ShortcutAction(*window, QKeySequence(QStringLiteral("Ctrl+Q"))), nullptr);
}

TEST_F(MenuTest, QuitItemEndsTheEventLoop) {
    auto quit = std::make_shared<fw::QuitMenuItem>();
    bool stoppedByQuit = true;
    QTimer::singleShot(0, [&] { fw::Deliver([&] { quit->Choose(); }); });
    QTimer::singleShot(3000, [&] {
        stoppedByQuit = false;
        fw::Application::Quit(0);
    });
    fw::RuntimeRun();
    EXPECT_TRUE(stoppedByQuit);
    fw::MenuItem plain;
    EXPECT_NO_THROW(plain.Choose());  // an item without an action of its own does nothing
}

// The standard edit items act on the text field that has the focus, as a player expects.
TEST_F(MenuTest, EditItemsActOnTheFocusedTextField) {
    auto window = OpenWindow();
    auto field = Place<fw::TextField>(*window, "ScoreFiled", 10, 10, 120, 22);
    QApplication::setActiveWindow(window->NativeHandle()->window());
    field->NativeHandle()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), field->NativeHandle());
    auto* edit = static_cast<QLineEdit*>(field->NativeHandle());
    const auto choose = [](const char* name) {
        fw::MenuItem item;
        item.SetName(name);
        item.Choose();
    };

    edit->insert(QStringLiteral("歌聖"));
    edit->selectAll();
    choose("EditCopy");
    choose("EditCut");
    EXPECT_EQ(field->Text(), "");
    choose("EditPaste");
    choose("EditPaste");
    EXPECT_EQ(field->Text(), "歌聖歌聖");
    choose("EditUndo");
    EXPECT_EQ(field->Text(), "歌聖");
    edit->selectAll();
    choose("EditClear");
    EXPECT_EQ(field->Text(), "");
    // Items without an edit action leave the field alone.
    edit->insert(QStringLiteral("1"));
    choose("UntitledMenu4");
    EXPECT_EQ(field->Text(), "1");
}

TEST(FileTypeTest, ConvertingRegistersOnceWithTheFinalValues) {
    auto type = std::make_shared<fw::FileType>();
    type->SetName("text");
    type->SetExtensions("");
    type->SetMacType("TEXT");
    type->SetMacCreator("R*ch");
    type->SetMimeType("");
    type->SetImported(true);
    type->SetConformsTo("");
    EXPECT_FALSE(type->IsRegistered());
    const std::size_t before = fw::FileTypeRegistrations().size();

    EXPECT_EQ(type->Operator_Convert(), "text");
    EXPECT_TRUE(type->IsRegistered());
    EXPECT_EQ(type->Operator_Convert(), "text");
    auto registrations = fw::FileTypeRegistrations();
    ASSERT_EQ(registrations.size(), before + 1);
    const fw::FileTypeRegistration& r = registrations.back();
    EXPECT_EQ(r.name, "text");
    EXPECT_EQ(r.macCreator, "R*ch");
    EXPECT_EQ(r.macType, "TEXT");
    EXPECT_EQ(r.extensions, "");
    EXPECT_EQ(r.uti, "");
    EXPECT_TRUE(type->Imported());

    // A change withdraws the registration; the next conversion registers the new values.
    type->SetExtensions("txt");
    EXPECT_FALSE(type->IsRegistered());
    EXPECT_EQ(type->Operator_Convert(), "text");
    registrations = fw::FileTypeRegistrations();
    ASSERT_EQ(registrations.size(), before + 2);
    EXPECT_EQ(registrations.back().extensions, "txt");
}

}  // namespace
}  // namespace fwtest
