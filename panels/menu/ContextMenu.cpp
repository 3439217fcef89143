#include "panels/menu/ContextMenu.h"

using NSHarrowen::CMenu;
using NSHarrowen::CMenuItemRecord;

CContextMenu::CContextMenu(std::string_view title, std::initializer_list<Entry> entries)
{
    SetTitle(title);
    for (const Entry& entry : entries) {
        CMenuItemRecord item;
        if (entry.command == 0) {
            item.kind = CMenuItemRecord::kSeparator;
        } else {
            item.label = std::string(entry.label);
            item.command = entry.command;
            item.disabled = true;
        }
        AppendItemRecord(item);
    }
}

bool CContextMenu::FindEntry(CMenu& in, uint32_t command, CMenu*& menu, int& index)
{
    for (int i = 0; i < in.GetItemCount(); ++i) {
        const CMenuItemRecord item = in.GetItem(i);
        if (item.kind != CMenuItemRecord::kSeparator && item.command == command) {
            menu = &in;
            index = i;
            return true;
        }
        if (item.kind == CMenuItemRecord::kSubmenu && item.submenu != nullptr && item.submenu != &in &&
            FindEntry(*item.submenu, command, menu, index)) {
            return true;
        }
    }
    return false;
}

void CContextMenu::EnableCommand(uint32_t command, bool enabled)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (FindEntry(*this, command, menu, index)) {
        menu->SetItemEnabled(index, enabled);
    }
}

bool CContextMenu::HasCommand(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    return FindEntry(*this, command, menu, index);
}

bool CContextMenu::RemoveEntry(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (!FindEntry(*this, command, menu, index)) {
        return false;
    }
    menu->RemoveItem(index);
    return true;
}
