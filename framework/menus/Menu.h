#pragma once

#include "platform/menus/NativeMenu.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include "framework/menus/MenuScript.h"

namespace NSHarrowen {

class CMenu;
class CView;

inline constexpr size_t kMenuLabelMax = 64;
// The label as a menu keeps it: longer than 64 characters is cut to 61 and "...".
std::string FitMenuLabel(std::string_view label);
// The native caption: "&" doubled, "&" before the mnemonic (where the letter
// begins a word, else where it first occurs), then a tab and "Ctrl+" with the
// accelerator letter when there is one.
std::string MakeMenuCaption(const CMenuItemRecord& item);
std::string MakeMenuCaption(std::string_view label, char mnemonic, char accelerator);

CMenuScript ParseMenuScript(std::string_view script);

// The first command id of the Window menu's window entries; the entry of the
// window with index i in the window list has this id + i.
inline constexpr uint32_t kFirstWindowCommand = 0x800000C9;
inline constexpr uint32_t kLastWindowCommand = 0x8000012C;
// What the Window menu lists: the visible windows that ask to be listed, by
// their index in the framework's window list. The window layer provides it.
struct CListedWindow {
    int index = 0;
    std::string title;
    bool active = false;
};
using WindowListSource = std::vector<CListedWindow> (*)();
void SetWindowListSource(WindowListSource source);

// A pop-up menu of items read from a menu script (or built in code). Its
// submenus belong to whoever made them.
class CMenu {
public:
    // Empty, titled "Untitled".
    CMenu();
    // From the menu script of a text id; its items start disabled (the first
    // menu update enables them). A missing resource throws XBase.
    explicit CMenu(uint32_t menuId);
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    const std::string& GetTitle() const { return title_; }
    // For menus built in code; set before the menu joins a bar.
    void SetTitle(std::string_view title, char mnemonic = 0)
    {
        title_ = FitMenuLabel(title);
        titleMnemonic_ = mnemonic;
    }
    char GetTitleMnemonic() const { return titleMnemonic_; }
    uint32_t GetHelpTopic() const { return helpTopic_; }
    platform::MenuHandle GetNativeMenu() const { return native_; }

    int GetItemCount() const { return static_cast<int>(items_.size()); }
    // A copy of the item; a fresh record for an index out of range.
    CMenuItemRecord GetItem(int index) const;
    uint32_t GetItemCommand(int index) const;
    void InsertItem(int index, const CMenuItemRecord& item);
    void AppendItem(std::string_view label);
    void AppendItemRecord(const CMenuItemRecord& item);
    void SetItem(int index, const CMenuItemRecord& item);
    void RemoveItem(int index);
    void RemoveAllItems();
    void SetItemEnabled(int index, bool enabled);
    void SetItemChecked(int index, bool checked);
    void SetItemSubmenu(int index, CMenu* submenu);

    // Depth-first over the command items and those of the submenus; the
    // first match wins.
    bool FindItem(const std::function<bool(const CMenuItemRecord&)>& match, CMenu*& menu, int& index);
    bool FindCommand(uint32_t command, CMenu*& menu, int& index);
    void SetCommandChecked(uint32_t command, bool checked);
    void EnableMenuCommand(uint32_t command, bool enabled);
    // Adds " (word)" to the command's label when on is set, removes it otherwise.
    void SetMenuCommandText(uint32_t command, std::string_view word, bool on);
    // Removes the item of a command wherever it stands; false when none has it.
    bool RemoveCommand(uint32_t command);

    void RemoveDynamicItems();
    // Inserts from position on one dynamic item per listed window with a
    // title; true when at least one was added.
    bool BuildWindowList(int position);

    // Gives every command item without a submenu, depth-first, the next number.
    void AssignItemNumbers(uint32_t& next);
    bool FindItemByNumber(uint32_t number, CMenu*& menu, int& index);

    // Shows the menu at a point of the owner view's window (client
    // coordinates), numbered afresh, and maps the choice back to the
    // (sub)menu and item. Nothing chosen gives false, no menu and index 666.
    bool TrackPopup(const CView* owner, int x, int y, CMenu*& menu, int& index);
    // The same at a desktop point over a native window.
    bool TrackPopupAt(int screenX, int screenY, uint32_t ownerWindow, CMenu*& menu, int& index);

    // Every menu alive, in the order they were made.
    static const std::vector<CMenu*>& AllMenus();

private:
    void WriteNative(int index);
    void InsertNative(int index);

    uint32_t helpTopic_ = 0;
    std::vector<CMenuItemRecord> items_;
    char titleMnemonic_ = 0;
    platform::MenuHandle native_ = 0;
    std::string title_;
};

// Brings the window of a Window-menu entry to the front; other ids do nothing.
// The window layer provides how.
using WindowActivator = void (*)(int windowIndex);
void SetWindowActivator(WindowActivator activator);
void ActivateWindowFromMenu(uint32_t command);

} // namespace NSHarrowen
