#include "fw/Menu.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "TextUtil.h"
#include "fw/Application.h"
#include "fw/Runtime.h"
#include "fw/Thread.h"
#include "qt/Native.h"

namespace fw {

MenuItem::MenuItem() = default;

void MenuItem::Constructor() { RequireUIThread(); }

void MenuItem::SetName(const std::string& name) {
    RequireUIThread();
    name_ = name;
}
void MenuItem::SetText(const std::string& text) {
    RequireUIThread();
    text_ = text;
}
void MenuItem::SetCommandKey(const std::string& key) {
    RequireUIThread();
    commandKey_ = key;
}
void MenuItem::SetAutoEnable(bool autoEnable) {
    RequireUIThread();
    autoEnable_ = autoEnable;
}
void MenuItem::SetVisible(bool visible) {
    RequireUIThread();
    visible_ = visible;
}

void MenuItem::AddMenu(const std::shared_ptr<MenuItem>& item) {
    RequireUIThread();
    if (!item) throw NilObjectException("AddMenu was given no item");
    if (item.get() == this || item->Holds(*this))
        throw InvalidArgumentException("a menu item cannot hold itself or a menu that holds it");
    children_.push_back(item);
}

bool MenuItem::Holds(const MenuItem& item) const {
    for (const auto& child : children_)
        if (child.get() == &item || child->Holds(item)) return true;
    return false;
}

std::shared_ptr<MenuItem> MenuItem::Child(std::string_view name) const {
    RequireUIThread();
    for (const auto& child : children_)
        if (detail::EqualsIgnoringCase(child->Name(), name)) return child;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(std::string_view name) const {
    RequireUIThread();
    for (const auto& child : children_) {
        if (detail::EqualsIgnoringCase(child->Name(), name)) return child;
        if (auto found = child->Lookup(name)) return found;
    }
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Item(std::int64_t index) const {
    RequireUIThread();
    if (index < 0 || index >= Count())
        throw OutOfBoundsException("menu item " + std::to_string(index));
    return children_[static_cast<std::size_t>(index)];
}

void MenuItem::Choose() {
    RequireUIThread();
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        if (name_ == "EditUndo") line->undo();
        if (name_ == "EditCut") line->cut();
        if (name_ == "EditCopy") line->copy();
        if (name_ == "EditPaste") line->paste();
        if (name_ == "EditClear") line->del();
    } else if (auto* area = qobject_cast<QPlainTextEdit*>(focus)) {
        if (name_ == "EditUndo") area->undo();
        if (name_ == "EditCut") area->cut();
        if (name_ == "EditCopy") area->copy();
        if (name_ == "EditPaste") area->paste();
        if (name_ == "EditClear") area->textCursor().removeSelectedText();
    }
}

void QuitMenuItem::Choose() { Application::Quit(0); }

#define FW_MENU_CLASS(Type, Name)                                                      \
    const ClassRecord& Type::Lookup() {                                                \
        static const ClassRecord& record =                                             \
            RegisterClass({.name = Name, .super = &MenuItem::Lookup(), .factory = [] { \
                               return std::make_shared<Type>();                        \
                           }});                                                        \
        return record;                                                                 \
    }                                                                                  \
    const ClassRecord& Type::Class() const { return Lookup(); }

const ClassRecord& MenuItem::Lookup() {
    static const ClassRecord& record = RegisterClass({
        .name = "MenuItem",
        .super = &Object::Lookup(),
        .factory = [] { return std::make_shared<MenuItem>(); },
        .members = {{"Constructor", "", {}},
                    {"AddMenu", "item As MenuItem", {}},
                    {"Child", "name As String", {}},
                    {"_Lookup", "name As String", {}}},
    });
    return record;
}
const ClassRecord& MenuItem::Class() const { return Lookup(); }

FW_MENU_CLASS(MenuBar, "MenuBar")
FW_MENU_CLASS(QuitMenuItem, "QuitMenuItem")
FW_MENU_CLASS(AppMenuItem, "AppMenuItem")

#undef FW_MENU_CLASS

namespace detail {

namespace {

// Shortcuts live on the window, so that they work whether or not the bar is shown. A focused
// text field takes its own editing keys first, as a player expects.
void AddShortcuts(QWidget* window, const std::shared_ptr<MenuItem>& item,
                  std::vector<std::unique_ptr<QAction>>& out) {
    for (std::int64_t i = 0; i < item->Count(); ++i) {
        auto child = item->Item(i);
        if (!child->CommandKey().empty()) {
            auto action = std::make_unique<QAction>(window);
            action->setShortcut(QKeySequence(ToQt(child->CommandKey())));
            action->setShortcutContext(Qt::WindowShortcut);
            std::weak_ptr<MenuItem> weak = child;
            QObject::connect(action.get(), &QAction::triggered, action.get(), [weak] {
                if (auto target = weak.lock()) Deliver([&] { target->Choose(); });
            });
            window->addAction(action.get());
            out.push_back(std::move(action));
        }
        AddShortcuts(window, child, out);
    }
}

QString Caption(const MenuItem& item) { return ToQt(item.Text()); }

void Fill(QMenu* menu, const std::shared_ptr<MenuItem>& item) {
    for (std::int64_t i = 0; i < item->Count(); ++i) {
        auto child = item->Item(i);
        if (!child->Visible()) continue;
        if (child->Text() == "-") {
            menu->addSeparator();
        } else if (child->Count() > 0) {
            Fill(menu->addMenu(Caption(*child)), child);
        } else {
            QAction* action = menu->addAction(Caption(*child));
            if (!child->CommandKey().empty())
                action->setShortcut(QKeySequence(ToQt(child->CommandKey())));
            action->setShortcutContext(Qt::WidgetShortcut);  // the window's own shortcut acts
            std::weak_ptr<MenuItem> weak = child;
            QObject::connect(action, &QAction::triggered, action, [weak] {
                if (auto target = weak.lock()) Deliver([&] { target->Choose(); });
            });
        }
    }
}

}  // namespace

void WindowWidget::SetMenuBar(const std::shared_ptr<fw::MenuBar>& bar, bool visible) {
    if (bar == shownBar_.lock() && visible == barShown_ && (bar || shortcuts_.empty())) return;
    shownBar_ = bar;
    barShown_ = visible;
    shortcuts_.clear();  // a deleted action leaves the window it was added to
    menuBar_.reset();
    if (!bar) return;
    AddShortcuts(this, bar, shortcuts_);
    if (!visible) return;
    auto menus = std::make_unique<QMenuBar>(this);
    for (std::int64_t i = 0; i < bar->Count(); ++i) {
        auto top = bar->Item(i);
        if (top->Visible()) Fill(menus->addMenu(Caption(*top)), top);
    }
    menuBar_ = std::move(menus);
    menuBar_->show();
}

}  // namespace detail

}  // namespace fw
