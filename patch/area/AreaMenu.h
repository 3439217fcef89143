#pragma once

#include "framework/menus/Menu.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CModuleServicesInterface;
class CPatch;
class CPatchBackground;
class CPortManager;

// The slots of one synthesizer the patch may move to, by the names of the
// patches they hold.
struct SynthSlotChoice {
    uint8_t port = 0;
    std::vector<std::string> patchNames;
};

// Every port that has a synthesizer, with its slots.
std::vector<SynthSlotChoice> CollectSynthSlots(const CPortManager& ports);

// The menu of a right click on a voice area itself: one submenu of module
// types per toolbar tab (choosing one starts dragging a new module), the
// synthesizer slots the patch may move to, and "Local".
class CAreaMenu {
public:
    static constexpr uint32_t kModuleCommand = 0x10000;
    static constexpr uint32_t kSlotCommand = 0x20000;
    static constexpr uint8_t kLocalPort = 0xFF;

    // `linkedPort` and `linkedSlot` mark the document's own slot; a port
    // above 3 marks none.
    CAreaMenu(const CModuleServicesInterface& modules, const std::vector<SynthSlotChoice>& synths, uint8_t linkedPort,
              uint8_t linkedSlot);
    // The same for a document, from the port manager when there is one.
    static std::unique_ptr<CAreaMenu> ForDocument(const CPatch& patch);

    NSHarrowen::CMenu& GetMenu() { return menu_; }

    // Carries out a chosen command for the area: a module type starts a
    // drag of a new module, "Local" detaches the document, a slot moves it.
    static void Choose(uint32_t command, CPatchBackground& area);

private:
    NSHarrowen::CMenu menu_;
    std::vector<std::unique_ptr<NSHarrowen::CMenu>> submenus_;
};
