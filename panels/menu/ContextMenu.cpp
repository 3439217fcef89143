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

void CContextMenu::EnableCommand(uint32_t command, bool enabled) { EnableMenuCommand(command, enabled); }

bool CContextMenu::IsCommandEnabled(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    return FindCommand(command, menu, index) && !menu->GetItem(index).disabled;
}

bool CContextMenu::HasCommand(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    return FindCommand(command, menu, index);
}
