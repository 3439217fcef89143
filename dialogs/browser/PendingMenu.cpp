#include "dialogs/browser/PendingMenu.h"

#include "framework/menus/Menu.h"
#include "synth/protocol/FlashMemory.h"

using namespace NSHarrowen;

CPendingMenu::CPendingMenu()
{
    menus_.push_back(std::make_unique<CMenu>());
}

CPendingMenu::~CPendingMenu() = default;

CMenu& CPendingMenu::AddSubmenu(CMenu& parent, const std::string& title)
{
    menus_.push_back(std::make_unique<CMenu>());
    CMenu& submenu = *menus_.back();
    submenu.SetTitle(title);
    CMenuItemRecord item;
    item.kind = CMenuItemRecord::kSubmenu;
    item.label = title;
    item.submenu = &submenu;
    parent.AppendItemRecord(item);
    return submenu;
}

void CPendingMenu::AddCommand(CMenu& menu, const std::string& label, uint32_t id)
{
    CMenuItemRecord item;
    item.label = label;
    item.command = id;
    menu.AppendItemRecord(item);
}

void CPendingMenu::AddSeparator(CMenu& menu)
{
    CMenuItemRecord item;
    item.kind = CMenuItemRecord::kSeparator;
    menu.AppendItemRecord(item);
}

void CPendingMenu::AddLocations(CMenu& menu, const CFlashMemory& flash, uint8_t bank, uint32_t id)
{
    const std::vector<CFlashEntry>& stored = flash.GetBank(bank);
    auto next = stored.begin();
    for (uint8_t location = 0; location < CFlashAddress::kLocationsPerBank; ++location) {
        std::string name = "Unused Patch";
        if (next != stored.end() && next->location == location) {
            name = next->name;
            ++next;
        }
        AddCommand(menu, std::to_string(location + 1) + "  " + name, id);
    }
}

std::optional<CPendingMenu::Choice> CPendingMenu::Track(const CView& owner, CPoint where)
{
    CMenu* chosen = nullptr;
    int index = 0;
    if (!Top().TrackPopup(&owner, where.x, where.y + 1, chosen, index) || !chosen)
        return std::nullopt;
    return Choice{chosen->GetItemCommand(index), index};
}
