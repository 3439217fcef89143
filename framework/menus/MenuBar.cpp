#include "framework/menus/MenuBar.h"

#include "framework/base/Exceptions.h"
#include "framework/menus/MenuScript.h"

#include <cctype>

namespace NSHarrowen {

namespace {
CMenuBar::BarChangedHook barChangedHook = nullptr;
}

void CMenuBar::SetBarChangedHook(BarChangedHook hook)
{
    barChangedHook = hook;
}

CMenuBar::CMenuBar() : native_(platform::CreateMenuBar())
{
    if (native_ == 0)
        throw XBase();
}

CMenuBar::~CMenuBar()
{
    for (int i = platform::GetMenuItemCount(native_) - 1; i >= 0; --i)
        platform::RemoveMenuItem(native_, i);
    platform::DestroyMenu(native_);
    if (barChangedHook)
        barChangedHook(native_);
}

CMenu* CMenuBar::GetMenu(int index) const
{
    return index >= 0 && index < GetMenuCount() ? menus_[static_cast<size_t>(index)] : nullptr;
}

void CMenuBar::AppendMenu(CMenu* menu)
{
    if (!menu)
        return;
    menus_.push_back(menu);
    platform::MenuItem item;
    item.kind = platform::MenuItem::Kind::Submenu;
    item.caption = MakeMenuCaption(menu->GetTitle(), menu->GetTitleMnemonic(), 0);
    item.submenu = menu->GetNativeMenu();
    item.helpId = menu->GetHelpTopic();
    platform::InsertMenuItem(native_, -1, item);
    if (barChangedHook)
        barChangedHook(native_);
}

CMenu* CMenuBar::FindMenu(platform::MenuHandle native) const
{
    for (CMenu* menu : menus_)
        if (menu->GetNativeMenu() == native)
            return menu;
    return nullptr;
}

void CMenuBar::AssignItemNumbers()
{
    uint32_t next = 100;
    for (CMenu* menu : menus_)
        menu->AssignItemNumbers(next);
}

bool CMenuBar::FindItem(const std::function<bool(const CMenuItemRecord&)>& match, CMenu*& menu, int& index) const
{
    for (CMenu* m : menus_)
        if (m->FindItem(match, menu, index))
            return true;
    return false;
}

bool CMenuBar::FindItemByNumber(uint32_t number, CMenu*& menu, int& index) const
{
    return number != 0 &&
        FindItem([number](const CMenuItemRecord& item) { return item.number == number; }, menu, index);
}

uint32_t CMenuBar::CommandForNumber(uint32_t number) const
{
    CMenu* menu = nullptr;
    int index = 0;
    return FindItemByNumber(number, menu, index) ? menu->GetItemCommand(index) : 0;
}

bool CMenuBar::FindCommand(uint32_t command, CMenu*& menu, int& index) const
{
    return FindItem([command](const CMenuItemRecord& item) { return item.command == command; }, menu, index);
}

void CMenuBar::SetCommandEnabled(uint32_t command, bool enabled)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (FindCommand(command, menu, index))
        menu->SetItemEnabled(index, enabled);
}

void CMenuBar::SetCommandState(uint32_t command, bool enabled, bool checked)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (!FindCommand(command, menu, index))
        return;
    menu->SetItemEnabled(index, enabled);
    menu->SetItemChecked(index, checked);
}

uint32_t CMenuBar::FindAccelerator(const CKeyEvent& key) const
{
    if (AreAcceleratorsBlocked() || !key.modifiers.IsControlOrCommandDown())
        return 0;
    const int character = std::toupper(KeyCharacter(key) & 0xFF);
    if (character == 0)
        return 0;
    CMenu* menu = nullptr;
    int index = 0;
    const auto match = [character](const CMenuItemRecord& item) {
        return !item.disabled && item.accelerator != 0 &&
            std::toupper(static_cast<unsigned char>(item.accelerator)) == character;
    };
    return FindItem(match, menu, index) ? menu->GetItemCommand(index) : 0;
}

void CMenuBar::PrepareMenus()
{
    for (CMenu* menu : menus_)
        menu->RemoveDynamicItems();
}

} // namespace NSHarrowen
