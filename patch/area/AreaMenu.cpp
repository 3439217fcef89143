#include "patch/area/AreaMenu.h"

#include "patch/area/PatchBackground.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/module/ModuleServicesInterface.h"
#include "synth/link/PortManager.h"
#include "framework/menus/MenuScript.h"

#include <algorithm>

using NSHarrowen::CMenu;
using NSHarrowen::CMenuItemRecord;

namespace {

constexpr uint8_t kMaxPortIndex = 3;
constexpr uint8_t kMaxSlotIndex = 3;

CMenuItemRecord Command(uint32_t command, std::string label, bool checked = false)
{
    CMenuItemRecord item;
    item.command = command;
    item.label = std::move(label);
    item.checked = checked;
    return item;
}

uint32_t SlotCommand(uint8_t port, uint8_t slot)
{
    return CAreaMenu::kSlotCommand + port * 256u + slot;
}

} // namespace

std::vector<SynthSlotChoice> CollectSynthSlots(const CPortManager& ports)
{
    std::vector<SynthSlotChoice> synths;
    for (uint8_t port = 0; port < CPortManager::kPortCount; ++port) {
        if (!ports.HasSynth(port))
            continue;
        SynthSlotChoice choice{port, {}};
        for (uint8_t slot = 0; slot < ports.GetSlotCount(port); ++slot)
            choice.patchNames.push_back(ports.GetSlotPatchName(port, slot));
        synths.push_back(std::move(choice));
    }
    return synths;
}

CAreaMenu::CAreaMenu(const CModuleServicesInterface& modules, const std::vector<SynthSlotChoice>& synths,
                     uint8_t linkedPort, uint8_t linkedSlot)
{
    for (size_t tab = 0; tab < modules.GetTabCount(); ++tab) {
        auto submenu = std::make_unique<CMenu>();
        submenu->SetTitle(modules.GetTabName(tab));
        for (const uint8_t type : modules.GetTabTypes(tab))
            if (type != 0)
                submenu->AppendItemRecord(Command(kModuleCommand + type, modules.GetTypeName(type)));
        CMenuItemRecord item;
        item.kind = CMenuItemRecord::kSubmenu;
        item.label = modules.GetTabName(tab);
        item.submenu = submenu.get();
        menu_.AppendItemRecord(item);
        submenus_.push_back(std::move(submenu));
    }
    for (const SynthSlotChoice& synth : synths) {
        const auto count = static_cast<uint8_t>(synth.patchNames.size());
        for (uint8_t slot = 0; slot < count; ++slot) {
            std::string label = "Slot X";
            if (count == 1)
                label = synth.patchNames[slot];
            else
                label.back() = static_cast<char>('A' + slot);
            const bool own = synth.port == linkedPort && slot == linkedSlot;
            menu_.AppendItemRecord(Command(SlotCommand(synth.port, slot), label, own));
        }
    }
    menu_.AppendItemRecord(Command(SlotCommand(kLocalPort, 0), "Local"));
}

std::unique_ptr<CAreaMenu> CAreaMenu::ForDocument(const CPatch& patch)
{
    const CPortManager* ports = GetPortManager();
    const std::vector<SynthSlotChoice> synths = ports ? CollectSynthSlots(*ports) : std::vector<SynthSlotChoice>{};
    uint8_t port = kLocalPort;
    if (!patch.IsLinked() || !patch.GetPortIndex(port))
        port = kLocalPort;
    return std::make_unique<CAreaMenu>(RequireModuleServices(), synths, port, patch.GetSlot());
}

void CAreaMenu::Choose(uint32_t command, CPatchBackground& area)
{
    CEditorServicesInterface* editor = GetEditorServices();
    if (!editor)
        return;
    if ((command & 0xFFFF0000u) == kModuleCommand) {
        editor->BeginDragNewModule(area, static_cast<uint8_t>(command & 0xFF));
        return;
    }
    if ((command & 0xFFFF0000u) != kSlotCommand)
        return;
    const auto port = static_cast<uint8_t>((command >> 8) & 0xFF);
    const auto slot = static_cast<uint8_t>(command & 0xFF);
    if (port == kLocalPort)
        editor->ReplaceWithEmptyPatch(area.GetDocument());
    else
        editor->MovePatchToSlot(std::min(port, kMaxPortIndex), std::min(slot, kMaxSlotIndex), area.GetDocument());
}
