#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/Object.h"

namespace fw {

// An item of a menu bar; an item with children is a menu. The caption "-" makes a separator.
class MenuItem : public Object {
public:
    FW_OBJECT;

    MenuItem();

    virtual void Constructor();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    // A shortcut such as "Ctrl+Q"; empty for none.
    const std::string& CommandKey() const { return commandKey_; }
    void SetCommandKey(const std::string& key);
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Appends an item after the existing ones. An item that holds this one, or is this one,
    // raises InvalidArgumentException: the items form a tree.
    void AddMenu(const std::shared_ptr<MenuItem>& item);
    // The direct child of that name, or nothing.
    std::shared_ptr<MenuItem> Child(std::string_view name) const;
    // The item of that name anywhere below this one, or nothing.
    std::shared_ptr<MenuItem> Lookup(std::string_view name) const;
    using Object::Lookup;
    std::int64_t Count() const { return static_cast<std::int64_t>(children_.size()); }
    std::shared_ptr<MenuItem> Item(std::int64_t index) const;

    // What choosing the item does by default. The standard edit items (EditUndo, EditCut,
    // EditCopy, EditPaste, EditClear) act on the focused text field; others do nothing.
    virtual void Choose();

private:
    bool Holds(const MenuItem& item) const;

    std::string name_, text_, commandKey_;
    bool autoEnable_ = true, visible_ = true;
    std::vector<std::shared_ptr<MenuItem>> children_;
};

// The subclasses' own class-record accessor would hide Lookup(name); both stay callable.
class MenuBar : public MenuItem {
public:
    FW_OBJECT;
    using MenuItem::Lookup;
};

// Choosing it quits the application.
class QuitMenuItem : public MenuItem {
public:
    FW_OBJECT;
    using MenuItem::Lookup;
    void Choose() override;
};

// An item the platform may move to its application menu; elsewhere an ordinary item.
class AppMenuItem : public MenuItem {
public:
    FW_OBJECT;
    using MenuItem::Lookup;
};

}  // namespace fw
