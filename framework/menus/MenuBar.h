#pragma once

#include "framework/input/Keyboard.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuScript.h"

#include <cstdint>
#include <vector>

namespace NSHarrowen {

// The menus of the frame's menu bar, in bar order. The menus belong to their
// creators; the bar only lists them.
class CMenuBar {
public:
    // Throws XBase when the native bar cannot be made.
    CMenuBar();
    virtual ~CMenuBar();
    CMenuBar(const CMenuBar&) = delete;
    CMenuBar& operator=(const CMenuBar&) = delete;

    platform::MenuHandle GetNativeMenu() const { return native_; }
    int GetMenuCount() const { return static_cast<int>(menus_.size()); }
    CMenu* GetMenu(int index) const;

    // Adds the menu's title as the bar's last entry and shows the bar again.
    void AppendMenu(CMenu* menu);
    CMenu* FindMenu(platform::MenuHandle native) const;

    // Numbers every command item of every menu, in bar order, from 100 on.
    void AssignItemNumbers();
    bool FindItemByNumber(uint32_t number, CMenu*& menu, int& index) const;
    // 0 for a number no item carries.
    uint32_t CommandForNumber(uint32_t number) const;
    // The first command item that matches, menu by menu, each depth-first.
    bool FindItem(const std::function<bool(const CMenuItemRecord&)>& match, CMenu*& menu, int& index) const;
    // The first item of the command in any menu.
    bool FindCommand(uint32_t command, CMenu*& menu, int& index) const;

    void SetCommandEnabled(uint32_t command, bool enabled);
    void SetCommandState(uint32_t command, bool enabled, bool checked);

    // The command of the first enabled item whose accelerator is the key's
    // letter, with Ctrl down; 0 while accelerators are blocked or none fits.
    uint32_t FindAccelerator(const CKeyEvent& key) const;
    // A new bar starts blocked; the program unblocks it once it is built.
    void BlockAccelerators() { ++blockCount_; }
    void UnblockAccelerators() { --blockCount_; }
    void LeaveModal() { UnblockAccelerators(); }
    bool AreAcceleratorsBlocked() const { return blockCount_ != 0; }

    // Takes the window entries out of every menu before an update builds them again.
    void PrepareMenus();

    // Called when the bar changed so that windows showing it draw it again.
    using BarChangedHook = void (*)(platform::MenuHandle bar);
    static void SetBarChangedHook(BarChangedHook hook);

private:
    int blockCount_ = 1;
    std::vector<CMenu*> menus_;
    platform::MenuHandle native_;
};

} // namespace NSHarrowen
