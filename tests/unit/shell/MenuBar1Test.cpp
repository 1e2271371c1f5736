// The menu bar: its items, built once and shared, and a build that fails leaving nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fw/Application.h"
#include "fw/Exceptions.h"
#include "fw/Menu.h"
#include "fw/Object.h"
#include "fw/Runtime.h"
#include "fw/Timer.h"
#include "fw/testing/Seams.h"
#include "shell/MenuBar1.h"

namespace {

using shell::MenuBar1;

struct ExpectedItem {
    const char* name;
    const char* menu;  // null: a menu on the bar
    const char* className;
    const char* text;
    const char* commandKey;
};

// What the player's menus hold, in build order.
const ExpectedItem kItems[] = {
    {"UntitledMenu1", nullptr, "MenuItem", "", ""},
    {"FileMenu", nullptr, "MenuItem", "ファイル(&F)", ""},
    {"FileQuit", "FileMenu", "QuitMenuItem", "終了(&X)", "Ctrl+Q"},
    {"UntitledMenu5", "FileMenu", "MenuItem", "", ""},
    {"EditMenu", nullptr, "MenuItem", "編集(&E)", ""},
    {"EditUndo", "EditMenu", "MenuItem", "取り消し", "Ctrl+Z"},
    {"UntitledMenu0", "EditMenu", "MenuItem", "-", nullptr},  // keeps the framework's key
    {"EditCut", "EditMenu", "MenuItem", "カット", "Ctrl+X"},
    {"EditCopy", "EditMenu", "MenuItem", "コピー", "Ctrl+C"},
    {"EditPaste", "EditMenu", "MenuItem", "貼り付け", "Ctrl+V"},
    {"EditClear", "EditMenu", "MenuItem", "クリア", ""},
    {"UntitledMenu4", "EditMenu", "MenuItem", "", ""},
    {"UntitledMenu3", "EditMenu", "AppMenuItem", "", ""},
    {"UntitledMenu2", nullptr, "MenuItem", "", ""},
};

std::vector<std::string> NamesIn(const fw::MenuItem& item) {
    std::vector<std::string> names;
    for (std::int64_t i = 0; i < item.Count(); ++i) names.push_back(item.Item(i)->Name());
    return names;
}

std::vector<std::string> ExpectedNamesIn(const char* menu) {
    std::vector<std::string> names;
    for (const ExpectedItem& e : kItems)
        if ((menu == nullptr) == (e.menu == nullptr) && (!menu || std::string(menu) == e.menu))
            names.push_back(e.name);
    return names;
}

// Checks the whole tree against kItems: the menus on the bar in order, each menu's items in
// order, and every item's class, caption, shortcut and flags.
void ExpectFullTree(const MenuBar1& bar) {
    EXPECT_EQ(NamesIn(bar), ExpectedNamesIn(nullptr));
    const std::string defaultKey = fw::MenuItem().CommandKey();
    for (const ExpectedItem& e : kItems) {
        SCOPED_TRACE(e.name);
        auto item = bar.Lookup(e.name);
        ASSERT_NE(item, nullptr);
        if (e.menu) {
            ASSERT_NE(bar.Child(e.menu), nullptr);
            EXPECT_EQ(bar.Child(e.menu)->Child(e.name), item);
        } else {
            EXPECT_EQ(bar.Child(e.name), item);
            EXPECT_EQ(NamesIn(*item), ExpectedNamesIn(e.name));
        }
        EXPECT_EQ(item->Class().Name(), e.className);
        EXPECT_EQ(item->Text(), e.text);
        EXPECT_EQ(item->CommandKey(), e.commandKey ? std::string(e.commandKey) : defaultKey);
        EXPECT_TRUE(item->AutoEnable());
        EXPECT_TRUE(item->Visible());
    }
}

TEST(MenuBar1, EveryUseYieldsTheOneBarBuiltByTheFirst) {
    auto first = MenuBar1::Implicit();
    auto second = MenuBar1::Implicit();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    // Running the builders again on the same bar would have doubled its menus.
    EXPECT_EQ(second->Count(), 4);
    EXPECT_EQ(fw::RuntimeImplicitInstance("MenuBar1.MenuBar1"), first);
}

TEST(MenuBar1, HoldsTheFileAndEditMenusAndTheUntitledItems) {
    ExpectFullTree(*MenuBar1::Implicit());
}

TEST(MenuBar1, QuitItemAndAppItemHaveTheirFrameworkClasses) {
    auto bar = MenuBar1::Implicit();
    auto quit = fw::RuntimeCheckCast<fw::QuitMenuItem>(bar->Lookup("FileQuit"));
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->Text(), "終了(&X)");
    EXPECT_EQ(quit->CommandKey(), "Ctrl+Q");
    EXPECT_NE(fw::RuntimeCheckCast<fw::AppMenuItem>(bar->Lookup("UntitledMenu3")), nullptr);
    // The edit items are plain items, which the framework knows by their names.
    EXPECT_THROW(fw::RuntimeCheckCast<fw::QuitMenuItem>(bar->Lookup("EditCopy")),
                 fw::IllegalCastException);
}

TEST(MenuBar1, ClassRecordIsAMenuBarWithItsFourBuilders) {
    const fw::ClassRecord& record = MenuBar1::Lookup();
    EXPECT_EQ(fw::FindClass("MenuBar1.MenuBar1"), &record);
    EXPECT_EQ(record.Super(), &fw::MenuBar::Lookup());
    EXPECT_TRUE(record.IsA(fw::MenuItem::Lookup()));
    std::vector<std::string> table;
    for (const fw::MemberRecord& m : record.MethodTable()) table.push_back(m.name);
    // The own Constructor takes the inherited entry's place; the builders follow.
    const std::vector<std::string> expected = {"Constructor", "AddMenu",   "Child",
                                               "_Lookup",     "Untitled0", "Untitled1",
                                               "Untitled2",   "Untitled3"};
    EXPECT_EQ(table, expected);
}

TEST(MenuBar1, ChoosingTheQuitItemEndsTheEventLoopWithExitCodeZero) {
    auto quit = MenuBar1::Implicit()->Lookup("FileQuit");
    ASSERT_NE(quit, nullptr);
    // An earlier quit code, so that the zero is the quit item's and not the default.
    fw::Application::Quit(3);
    bool chosen = false;
    auto choose = std::make_shared<fw::Timer>();
    choose->Action.Attach([&](const fw::ObjectRef&) {
        chosen = true;
        quit->Choose();
    });
    choose->SetPeriod(1);
    choose->SetRunMode(fw::Timer::Single);
    auto guard = fw::testing::QuitGuard();

    fw::RuntimeRun();
    guard->SetRunMode(fw::Timer::Off);

    EXPECT_TRUE(chosen);
    EXPECT_EQ(fw::RuntimeExit(), 0);
}

// A bar of its own class and slot, built through MenuBar1's build-once path, whose Edit menu
// fails on demand: the real bar lives for the run and is left alone.
class BrokenBar : public MenuBar1 {
public:
    FW_OBJECT;

    static std::shared_ptr<MenuBar1> Use() { return BuildOnce(slot, Lookup()); }

    void Constructor() override {
        lastBuilt = std::static_pointer_cast<MenuBar1>(shared_from_this());
        MenuBar1::Constructor();
    }
    void Untitled2() override {
        if (failNext) {
            failNext = false;
            throw fw::OutOfBoundsException("the edit menu broke");
        }
        MenuBar1::Untitled2();
    }

    static inline std::shared_ptr<MenuBar1> slot;
    static inline bool failNext = false;
    static inline std::shared_ptr<MenuBar1> lastBuilt;  // kept alive to tell bars apart
};

const fw::ClassRecord& BrokenBar::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "MenuBar1Test.BrokenBar",
        .super = &MenuBar1::Lookup(),
        .factory = [] { return std::make_shared<BrokenBar>(); },
    });
    return record;
}
const fw::ClassRecord& BrokenBar::Class() const { return Lookup(); }

TEST(MenuBar1, AFailedFirstBuildLeavesNoBarAndTheNextUseBuildsAllItems) {
    BrokenBar::slot = nullptr;
    BrokenBar::failNext = true;
    EXPECT_THROW(BrokenBar::Use(), fw::OutOfBoundsException);
    EXPECT_EQ(BrokenBar::slot, nullptr);
    auto failed = BrokenBar::lastBuilt;
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(NamesIn(*failed), (std::vector<std::string>{"UntitledMenu1", "FileMenu"}));

    auto bar = BrokenBar::Use();
    ASSERT_NE(bar, nullptr);
    EXPECT_NE(BrokenBar::lastBuilt, failed);
    EXPECT_EQ(BrokenBar::slot, bar);
    ExpectFullTree(*bar);
    EXPECT_EQ(BrokenBar::Use(), bar);
    BrokenBar::slot = nullptr;
    BrokenBar::lastBuilt = nullptr;
}

}  // namespace
