#include "patch/views/MenuItemLabels.h"

#include "framework/base/Utf8.h"
#include "framework/menus/MenuScript.h"

#include <string>

void EnableMenuCommand(NSHarrowen::CMenu& menu, uint32_t command, bool enable)
{
    menu.EnableMenuCommand(command, enable);
}

void SetMenuCommandText(NSHarrowen::CMenu& menu, uint32_t command, std::string_view word, bool show)
{
    NSHarrowen::CMenu* holder = nullptr;
    int index = 0;
    if (!menu.FindCommand(command, holder, index))
        return;
    NSHarrowen::CMenuItemRecord item = holder->GetItem(index);
    const std::string suffix = " (" + std::string(word) + ")";
    const size_t at = item.label.find(suffix);
    if (at != std::string::npos)
        item.label.erase(at, suffix.size());
    if (show)
        item.label += suffix;
    item.label.resize(NSHarrowen::Utf8CutLength(item.label, NSHarrowen::kMenuLabelMax));
    holder->SetItem(index, item);
}
