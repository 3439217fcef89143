// The current slot as the editor (SelectSlot) and the synthesizers'
// focus dumps (AdoptSlotFocus) move it, read through what each port is
// told (GetPortChange: 2 = tell it the editor's slot, 0 = nothing).
#include "LinkRig.h"

using namespace linkrig;

namespace {

std::array<uint8_t, 4> Changes(CPortManager& manager)
{
    return {manager.GetPortChange(0), manager.GetPortChange(1), manager.GetPortChange(2), manager.GetPortChange(3)};
}

// A manager whose current slot was chosen, with every port told since.
void StartAt(CPortManager& manager, uint8_t port, uint8_t slot)
{
    manager.SelectSlot(port, slot);
    for (uint8_t p = 0; p < 4; ++p)
        manager.ClearPortChange(p);
}

using Changed = std::array<uint8_t, 4>;

} // namespace

TEST(LinkCurrentSlot, AtStartNoSlotIsCurrentAndTheLowestPortAdopts)
{
    CLinkRig rig;
    CPortManager& manager = rig.Manager();
    EXPECT_TRUE(manager.IsStartingUp());
    EXPECT_FALSE(manager.HasCurrentSynth());
    EXPECT_EQ(manager.GetCurrentSlotOf(0), 4);
    EXPECT_EQ(Changes(manager), (Changed{1, 1, 1, 1})) << "no port has a synthesizer below it yet";
}

TEST(LinkCurrentSlot, SelectingTheCurrentPairMarksNothing)
{
    CLinkRig rig;
    CPortManager& manager = rig.Manager();
    StartAt(manager, 0, 1);
    manager.SelectSlot(0, 1);
    EXPECT_EQ(Changes(manager), (Changed{0, 0, 0, 0}));
    manager.SelectSlot(0, 2);
    EXPECT_EQ(Changes(manager), (Changed{2, 0, 0, 0}));
}

TEST(LinkCurrentSlot, TheEditorsMoveToAnotherPortMarksBothPorts)
{
    CLinkRig rig;
    CPortManager& manager = rig.Manager();
    StartAt(manager, 0, 1);
    manager.SelectSlot(1, 3);
    EXPECT_EQ(Changes(manager), (Changed{2, 2, 0, 0}));
    EXPECT_TRUE(manager.IsCurrentPort(1));
    EXPECT_EQ(manager.GetCurrentSlot(), 3);
}

TEST(LinkCurrentSlot, ASynthesizersFocusMarksOnlyThePortThatLostIt)
{
    CLinkRig rig;
    CPortManager& manager = rig.Manager();
    StartAt(manager, 0, 1);
    manager.AdoptSlotFocus(1, 3);
    EXPECT_EQ(Changes(manager), (Changed{2, 0, 0, 0})) << "nothing is echoed to port 1";
    EXPECT_TRUE(manager.IsCurrentPort(1));
    EXPECT_EQ(manager.GetCurrentSlot(), 3);
}

TEST(LinkCurrentSlot, AFocusOnNoSlotMakesSlotACurrentAndIsTold)
{
    CLinkRig rig;
    CPortManager& manager = rig.Manager();
    StartAt(manager, 0, 1);
    manager.AdoptSlotFocus(2, 4);
    EXPECT_TRUE(manager.IsCurrentPort(2));
    EXPECT_EQ(manager.GetCurrentSlot(), 0);
    EXPECT_EQ(Changes(manager), (Changed{2, 0, 2, 0}));
    EXPECT_FALSE(manager.IsStartingUp());
}
