#pragma once

#include "framework/base/Point.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace NSHarrowen {
class CMenu;
class CView;
} // namespace NSHarrowen
class CFlashMemory;

// A pop-up menu of the browser's lists with its submenus, built in code and
// shown one pixel below the right click: which item was chosen, by its id and
// its position in its (sub)menu.
class CPendingMenu {
public:
    CPendingMenu();
    ~CPendingMenu();

    NSHarrowen::CMenu& Top() { return *menus_.front(); }
    // A new submenu titled `title` at the end of `parent`.
    NSHarrowen::CMenu& AddSubmenu(NSHarrowen::CMenu& parent, const std::string& title);
    static void AddCommand(NSHarrowen::CMenu& menu, const std::string& label, uint32_t id);
    static void AddSeparator(NSHarrowen::CMenu& menu);
    // The 99 locations of a flash bank: number, two blanks, the stored
    // patch's name or "Unused Patch", each carrying `id`.
    static void AddLocations(NSHarrowen::CMenu& menu, const CFlashMemory& flash, uint8_t bank, uint32_t id);

    struct Choice {
        uint32_t id = 0;
        int position = 0;
    };
    // Shows the menu under the point of the owner's window; none when
    // nothing was chosen.
    std::optional<Choice> Track(const NSHarrowen::CView& owner, NSHarrowen::CPoint where);

private:
    std::vector<std::unique_ptr<NSHarrowen::CMenu>> menus_;
};
