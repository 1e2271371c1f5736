#include "shell/MenuBar1.h"

#include <span>
#include <string>

#include "fw/Exceptions.h"

namespace shell {

namespace {

// One item of the bar. `menu` names the menu the item goes into; null puts it on the bar as a
// menu of its own. A null `commandKey` leaves the framework's shortcut as it is.
struct Row {
    const fw::ClassRecord& (*record)();
    const char* name;
    const char* menu;
    const char* text;
    const char* commandKey;
};

constexpr Row kUntitled0[] = {
    {&fw::MenuItem::Lookup, "UntitledMenu1", nullptr, "", ""},
};

constexpr Row kUntitled1[] = {
    {&fw::MenuItem::Lookup, "FileMenu", nullptr, "ファイル(&F)", ""},
    {&fw::QuitMenuItem::Lookup, "FileQuit", "FileMenu", "終了(&X)", "Ctrl+Q"},
    {&fw::MenuItem::Lookup, "UntitledMenu5", "FileMenu", "", ""},
};

constexpr Row kUntitled2[] = {
    {&fw::MenuItem::Lookup, "EditMenu", nullptr, "編集(&E)", ""},
    {&fw::MenuItem::Lookup, "EditUndo", "EditMenu", "取り消し", "Ctrl+Z"},
    // The separator keeps the framework's shortcut.
    {&fw::MenuItem::Lookup, "UntitledMenu0", "EditMenu", "-", nullptr},
    {&fw::MenuItem::Lookup, "EditCut", "EditMenu", "カット", "Ctrl+X"},
    {&fw::MenuItem::Lookup, "EditCopy", "EditMenu", "コピー", "Ctrl+C"},
    {&fw::MenuItem::Lookup, "EditPaste", "EditMenu", "貼り付け", "Ctrl+V"},
    {&fw::MenuItem::Lookup, "EditClear", "EditMenu", "クリア", ""},
    {&fw::MenuItem::Lookup, "UntitledMenu4", "EditMenu", "", ""},
    {&fw::AppMenuItem::Lookup, "UntitledMenu3", "EditMenu", "", ""},
};

constexpr Row kUntitled3[] = {
    {&fw::MenuItem::Lookup, "UntitledMenu2", nullptr, "", ""},
};

// Makes each row's item in order and hangs it on the bar or on its menu there.
void Build(MenuBar1& bar, std::span<const Row> rows) {
    for (const Row& row : rows) {
        auto item = fw::RuntimeCheckCast<fw::MenuItem>(fw::RuntimeNewObject(row.record()));
        item->Constructor();
        item->SetName(row.name);
        item->SetAutoEnable(true);
        item->SetText(row.text);
        item->SetVisible(true);
        if (row.commandKey) item->SetCommandKey(row.commandKey);
        if (!row.menu) {
            bar.AddMenu(item);
            continue;
        }
        auto menu = bar.Child(row.menu);
        if (!menu) throw fw::NilObjectException(std::string("the bar has no menu ") + row.menu);
        menu->AddMenu(item);
    }
}

}  // namespace

std::shared_ptr<MenuBar1> MenuBar1::implicitInstance_;

std::shared_ptr<MenuBar1> MenuBar1::Implicit() { return BuildOnce(implicitInstance_, Lookup()); }

std::shared_ptr<MenuBar1> MenuBar1::BuildOnce(std::shared_ptr<MenuBar1>& slot,
                                              const fw::ClassRecord& record) {
    if (slot) return slot;
    auto bar = fw::RuntimeCheckCast<MenuBar1>(fw::RuntimeNewObject(record));
    if (!bar) throw fw::NilObjectException("the class " + record.Name() + " made no menu bar");
    bar->Constructor();
    slot = bar;
    return bar;
}

void MenuBar1::ctblinit() { Lookup(); }

void MenuBar1::implicitInstance_Init() {}

void MenuBar1::Constructor() {
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void MenuBar1::Untitled0() { Build(*this, kUntitled0); }
void MenuBar1::Untitled1() { Build(*this, kUntitled1); }
void MenuBar1::Untitled2() { Build(*this, kUntitled2); }
void MenuBar1::Untitled3() { Build(*this, kUntitled3); }

const fw::ClassRecord& MenuBar1::Lookup() {
    static const fw::ClassRecord& record = fw::RegisterClass({
        .name = "MenuBar1.MenuBar1",
        .super = &fw::MenuBar::Lookup(),
        .factory = [] { return std::make_shared<MenuBar1>(); },
        .members = {{"Constructor", "", {}},
                    {"Untitled0", "", {}},
                    {"Untitled1", "", {}},
                    {"Untitled2", "", {}},
                    {"Untitled3", "", {}}},
        .implicitInstance = [] { return MenuBar1::Implicit(); },
    });
    return record;
}

const fw::ClassRecord& MenuBar1::Class() const { return Lookup(); }

}  // namespace shell
