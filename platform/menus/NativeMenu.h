#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Native menus: pop-up menus and menu bars as the window layer shows them.
// Items carry a caption and a number; the framework maps numbers back to its
// own commands. Main thread only.
namespace platform {

using MenuHandle = uint32_t; // 0 is none

struct MenuItem {
    enum class Kind : uint8_t { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    std::string caption; // "&" marks the mnemonic ("&&" is a plain "&"), a tab the shortcut
    uint32_t number = 0; // what choosing the item reports
    bool enabled = true;
    bool checked = false;
    MenuHandle submenu = 0;
    uint32_t helpId = 0; // the help topic F1 asks for while the item is highlighted
};

MenuHandle CreatePopupMenu();
MenuHandle CreateMenuBar();
// Destroys a menu (not its submenus). False for no menu.
bool DestroyMenu(MenuHandle menu);
bool IsMenu(MenuHandle menu);

// position -1 (or past the end) appends.
bool InsertMenuItem(MenuHandle menu, int position, const MenuItem& item);
bool SetMenuItem(MenuHandle menu, int position, const MenuItem& item);
bool RemoveMenuItem(MenuHandle menu, int position);
bool EnableMenuItem(MenuHandle menu, int position, bool enabled);
bool CheckMenuItem(MenuHandle menu, int position, bool checked);
int GetMenuItemCount(MenuHandle menu);
// A default item for a position that does not exist.
MenuItem GetMenuItem(MenuHandle menu, int position);

// The caption without its "&" marks and without the shortcut after the tab.
std::string CaptionText(const std::string& caption);
// The mnemonic of a caption (the character after a single "&"), 0 for none.
char CaptionMnemonic(const std::string& caption);
// The shortcut text after the tab, empty for none.
std::string CaptionShortcut(const std::string& caption);

// Shows a pop-up menu at a desktop point and waits for the user: the number of
// the chosen item, 0 when the menu was closed without a choice.
struct PopupRequest {
    MenuHandle menu = 0;
    int x = 0;
    int y = 0;
    uint32_t owner = 0;  // the window the menu belongs to
    uint32_t helpId = 0; // the menu's own help topic (its title's)
};
uint32_t TrackPopupMenu(const PopupRequest& request);

// Whoever shows pop-up menus instead of the window layer (which draws them on
// a real desktop and closes them at once on a headless one): tests record
// and answer them. Returns the one it replaces.
using PopupPresenter = std::function<uint32_t(const PopupRequest&)>;
PopupPresenter SetPopupPresenter(PopupPresenter presenter);

// The number of the enabled command item whose caption text (CaptionText) is
// text, searched depth-first; 0 when there is none.
uint32_t FindMenuNumberByText(MenuHandle menu, const std::string& text);

} // namespace platform
