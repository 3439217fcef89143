#pragma once

#include "framework/menus/Menu.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

// A pop-up menu filled from a table of entries (label and command; a
// command of 0 is a separator). Every entry starts disabled: the owner
// enables what applies before it shows the menu.
class CContextMenu : public NSHarrowen::CMenu {
public:
    struct Entry {
        std::string_view label;
        uint32_t command;
    };

    CContextMenu(std::string_view title, std::initializer_list<Entry> entries);

    // The entry of a command (a submenu's entry included), wherever it is.
    void EnableCommand(uint32_t command, bool enabled);
    bool HasCommand(uint32_t command);
    bool RemoveEntry(uint32_t command);

private:
    static bool FindEntry(NSHarrowen::CMenu& in, uint32_t command, NSHarrowen::CMenu*& menu, int& index);
};
