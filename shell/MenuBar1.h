#pragma once

#include <memory>

#include "fw/Menu.h"
#include "fw/Object.h"

namespace shell {

// The program's one menu bar: a File menu with the quit item, an Edit menu with the edit
// items, and menus and items with empty captions. Built on first use and shared by the
// application and every game window; the program gives no item an action of its own.
class MenuBar1 : public fw::MenuBar {
public:
    FW_OBJECT;
    // Finding an item by name, as readers of the bar do.
    using fw::MenuItem::Lookup;

    // The bar: built on first use, the same object on every later use.
    static std::shared_ptr<MenuBar1> Implicit();
    // Builds the class record (from the initialiser table at start-up).
    static void ctblinit();
    // The implicit instance starts as nothing, so its initialiser has nothing to do.
    static void implicitInstance_Init();

    // Builds the items: Untitled0 to Untitled3, in this order.
    void Constructor() override;
    // Each builds its rows of the bar, in order.
    virtual void Untitled0();
    virtual void Untitled1();
    virtual void Untitled2();
    virtual void Untitled3();

protected:
    // Makes an object of `record` (a MenuBar1 class), runs its constructor, and only then keeps
    // it in `slot`: a build that fails leaves nothing behind, so the next use starts afresh.
    static std::shared_ptr<MenuBar1> BuildOnce(std::shared_ptr<MenuBar1>& slot,
                                               const fw::ClassRecord& record);

private:
    static std::shared_ptr<MenuBar1> implicitInstance_;
};

}  // namespace shell
