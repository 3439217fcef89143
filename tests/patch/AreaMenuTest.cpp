#include "tests/support/patch/PatchTestFixture.h"

#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/area/AreaMenu.h"
#include "patch/area/PatchBackground.h"
#include "tests/support/patch/EditorServicesDouble.h"
#include "framework/menus/MenuScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using NSHarrowen::CMenu;

namespace {

class AreaMenuTest : public testsupport::PatchTestFixture {
protected:
    testsupport::CEditorServicesDouble editor;
};

} // namespace

TEST_F(AreaMenuTest, OneSubmenuPerTabThenTheSlotsThenLocal)
{
    const std::vector<SynthSlotChoice> synths = {{0, {"Bass"}}, {2, {"Lead", "Pad", "Init", "Strings"}}};
    CAreaMenu areaMenu(services, synths, 2, 1);
    CMenu& menu = areaMenu.GetMenu();
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    const int tabs = static_cast<int>(catalogue.GetTabCount());
    ASSERT_GT(tabs, 0);
    ASSERT_EQ(menu.GetItemCount(), tabs + 1 + 4 + 1);

    for (int tab = 0; tab < tabs; ++tab) {
        const auto item = menu.GetItem(tab);
        ASSERT_EQ(item.kind, NSHarrowen::CMenuItemRecord::kSubmenu);
        EXPECT_EQ(item.label, catalogue.GetTabName(static_cast<size_t>(tab)));
        std::vector<uint8_t> types;
        for (const uint8_t type : catalogue.GetTabTypes(static_cast<size_t>(tab)))
            if (type != 0)
                types.push_back(type);
        ASSERT_EQ(item.submenu->GetItemCount(), static_cast<int>(types.size()));
        for (size_t i = 0; i < types.size(); ++i) {
            const auto entry = item.submenu->GetItem(static_cast<int>(i));
            EXPECT_EQ(entry.command, 0x10000u + types[i]);
            EXPECT_EQ(entry.label, catalogue.GetBuilder(types[i]).GetShortName());
        }
    }
    // A synthesizer with one slot shows its patch's name; one with four
    // shows the slot letters, with a mark at the document's own slot.
    const std::vector<std::pair<std::string, uint32_t>> slots = {{"Bass", 0x20000},   {"Slot A", 0x20200},
                                                                 {"Slot B", 0x20201}, {"Slot C", 0x20202},
                                                                 {"Slot D", 0x20203}, {"Local", 0x2FF00}};
    for (size_t i = 0; i < slots.size(); ++i) {
        const auto item = menu.GetItem(tabs + static_cast<int>(i));
        EXPECT_EQ(item.label, slots[i].first);
        EXPECT_EQ(item.command, slots[i].second);
        EXPECT_EQ(item.checked, slots[i].first == "Slot B");
    }
}

TEST_F(AreaMenuTest, ChoicesStartADragDetachOrMoveTheDocument)
{
    CPatchBackground& area = *patch.GetArea(0);
    CAreaMenu::Choose(0x10000 + 61, area);
    CAreaMenu::Choose(0x2FF00, area);
    CAreaMenu::Choose(0x20102, area);
    CAreaMenu::Choose(0x20507, area); // port and slot are limited to 3
    EXPECT_EQ(editor.draggedTypes, std::vector<uint8_t>{61});
    EXPECT_EQ(editor.emptied, 1);
    const std::vector<std::pair<uint8_t, uint8_t>> moves = {{1, 2}, {3, 3}};
    EXPECT_EQ(editor.slotMoves, moves);
}

TEST_F(AreaMenuTest, ALocalDocumentWithoutSynthesizersOffersOnlyModulesAndLocal)
{
    const std::unique_ptr<CAreaMenu> areaMenu = CAreaMenu::ForDocument(patch);
    CMenu& menu = areaMenu->GetMenu();
    const auto last = menu.GetItem(menu.GetItemCount() - 1);
    EXPECT_EQ(last.label, "Local");
    EXPECT_FALSE(last.checked);
    EXPECT_EQ(menu.GetItemCount(), static_cast<int>(GetSharedModuleCatalogue().GetTabCount()) + 1);
}
