#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/savesynth/DialogSavePatchInSynth.h"
#include "editor/app/EditorCommands.h"
#include "editor/patches/PatchManager.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/menus/Menu.h"
#include "framework/views/StaticTextView.h"
#include "patch/document/Patch.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/protocol/FlashMemory.h"
#include "synth/protocol/SynthSettings.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/windows/Window.h"

using namespace NSHarrowen;
using namespace dialogstest;
using namespace editorcommands;

namespace {

using D = CDialogSavePatchInSynth;

class SaveInSynthTest : public DialogsTest {
protected:
    using Action = ScriptStep<D>;

    // A synthesizer named `name` whose flash holds the given patches.
    Rig& PlugSynth(const std::string& name, sim::SimConfig config = {})
    {
        Rig& rig = Plug();
        rig.synth->Config() = config;
        rig.synth->Settings().name = name;
        return rig;
    }
    static void Store(Rig& rig, int bank, int location, const std::string& name)
    {
        sim::SimPatch patch;
        patch.name = name;
        rig.synth->Flash().Store(bank, location, patch);
    }
    // Every synthesizer recognised, settled and its flash listed.
    void SettleAll(uint8_t ports)
    {
        for (uint8_t port = 0; port < ports; ++port) {
            ASSERT_TRUE(Settle(port)) << int(port);
            ASSERT_TRUE(StepUntil([&] { return !Ports().GetFlashMemory(port).IsScanning(); })) << int(port);
        }
    }
    // The slot's patch in its window, active.
    CPatch* ShowSlot(uint8_t port, uint8_t slot)
    {
        List().ShowSlotPatch(port, slot);
        Step(100);
        EXPECT_TRUE(Settle(port));
        CPatch* patch = List().FindPatchInSlot(port, slot);
        EXPECT_TRUE(patch && patch->HasWindow());
        return patch;
    }
    static std::vector<std::string> Entries(const CMenu& menu)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < menu.GetItemCount(); ++i)
            entries.push_back(menu.GetItem(i).label);
        return entries;
    }
    Action Pressing(CPushButtonView* (D::*button)() const)
    {
        return Do<D>([this, button](D& d) { Click((d.*button)()); });
    }
    void PickIn(std::vector<Action>& steps, CPopupButtonView* (D::*popup)() const, int index)
    {
        steps.push_back(Do<D>([this, popup](D& d) { DropDown((d.*popup)()); }));
        steps.push_back(Do<D>([this, popup, index](D& d) { PickDropped((d.*popup)(), index); }));
    }
    // The last step: the dialog is to close by itself; the script's tick
    // limit fails the test when it stays.
    static Action UntilClosed()
    {
        return [](D&) { return false; };
    }
    void RunFromPatchWindow(std::vector<Action> steps)
    {
        Script<D>(std::move(steps));
        Choose(kSaveInSynth);
    }
};

} // namespace

TEST_F(SaveInSynthTest, ListsTheBanksAndTheNinetyNineLocationsAndStoresTheSlotWhereThePickSays)
{
    Rig& rig = PlugSynth("Studio");
    Store(rig, 0, 0, "Alpha");
    Store(rig, 0, 5, "Beta");
    Store(rig, 1, 2, "Gamma");
    LaunchWithPorts({rig.device});
    SettleAll(1);
    const uint8_t slot = Ports().GetCurrentSlot();
    CPatch* patch = ShowSlot(0, slot);
    ASSERT_NE(patch, nullptr);
    UpdateMenus();
    ASSERT_TRUE(IsEnabled(kSaveInSynth));

    std::vector<std::string> banks, firstBank, secondBank;
    std::string first, second;
    int outside = 0, topLeft = 0, bottomRight = 0;
    std::vector<Action> steps{Do<D>([&](D& d) {
        // The two lines stand in a recessed box: dark above and left, light
        // below and right of the dialog's grey.
        const CRect box = d.GetDialogItem(D::kBox)->rect;
        const platform::PixelBuffer screen = desktop.Host().Screen();
        const auto brightness = [&](int16_t x, int16_t y) {
            const platform::Point p = platform::ClientToScreen(d.GetHandle(), {x, y});
            const uint32_t pixel = screen.At(p.x, p.y);
            return static_cast<int>((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF));
        };
        outside = brightness(static_cast<int16_t>(box.left - 3), static_cast<int16_t>(box.top - 3));
        topLeft = brightness(box.left, box.top);
        bottomRight = brightness(static_cast<int16_t>(box.right - 1), static_cast<int16_t>(box.bottom - 1));
        banks = Entries(d.GetBankMenu());
        firstBank = Entries(d.GetLocationMenu());
        first = d.GetFirstLine()->GetText();
        second = d.GetSecondLine()->GetText();
    })};
    PickIn(steps, &D::GetBankPopup, 1);
    steps.push_back(Do<D>([&](D& d) { secondBank = Entries(d.GetLocationMenu()); }));
    PickIn(steps, &D::GetLocationPopup, 3);
    steps.push_back(Pressing(&D::GetSaveButton));
    steps.push_back(UntilClosed());
    RunFromPatchWindow(std::move(steps));

    EXPECT_LT(topLeft, outside);
    EXPECT_GT(bottomRight, outside);
    EXPECT_EQ(first, "Save  \"" + patch->GetName() + "\"");
    EXPECT_EQ(second, "In Synth:  Studio");
    ASSERT_EQ(banks.size(), 9u);
    EXPECT_EQ(banks.front(), "Bank 1");
    EXPECT_EQ(banks.back(), "Bank 9");
    ASSERT_EQ(firstBank.size(), 99u);
    EXPECT_EQ(firstBank[0], "1  Alpha");
    EXPECT_EQ(firstBank[1], "2  Unused Patch");
    EXPECT_EQ(firstBank[5], "6  Beta");
    EXPECT_EQ(firstBank[98], "99  Unused Patch");
    ASSERT_EQ(secondBank.size(), 99u);
    EXPECT_EQ(secondBank[2], "3  Gamma");
    EXPECT_EQ(secondBank[3], "4  Unused Patch");

    // The slot's patch went to bank 2, location 4, and nowhere else.
    ASSERT_TRUE(Settle(0));
    const sim::SimPatch* stored = rig.synth->Flash().At(1, 3);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->name, rig.synth->Slot(slot).patch.name);
    EXPECT_EQ(rig.synth->Flash().At(0, 0)->name, "Alpha");
    EXPECT_TRUE(alerts.empty());
}

TEST_F(SaveInSynthTest, AFlashProblemIsToldWithTheSynthesizersWordsAndTheDialogCloses)
{
    sim::SimConfig config;
    config.memoryProtect = true;
    Rig& rig = PlugSynth("Locked", config);
    LaunchWithPorts({rig.device});
    SettleAll(1);
    ASSERT_NE(ShowSlot(0, Ports().GetCurrentSlot()), nullptr);
    RunFromPatchWindow({Pressing(&D::GetSaveButton), UntilClosed()});
    EXPECT_EQ(alerts, (std::vector<std::string>{"Flash Problem Memory protect on"}));
    EXPECT_EQ(rig.synth->Flash().At(0, 0), nullptr);
}

TEST_F(SaveInSynthTest, ThePatchsOwnSynthesizerIsShownAndStoredToWhileAnotherIsCurrent)
{
    PlugSynth("Left");
    PlugSynth("Right");
    LaunchWithPorts({rigs[0]->device, rigs[1]->device});
    SettleAll(2);
    const uint8_t own = 0;
    const uint8_t current = 1;
    CPatch* patch = ShowSlot(own, 0);
    ASSERT_NE(patch, nullptr);
    // The patch in front makes its slot current; a slot chosen on the other
    // synthesizer's own panel takes the current slot there.
    rigs[current]->synth->PanelSlotFocus(1);
    ASSERT_TRUE(StepUntil([this] { return Ports().GetCurrentPort() == current; }));
    ASSERT_EQ(List().GetActivePatch(), patch);

    std::string second;
    std::vector<Action> steps{Do<D>([&](D& d) { second = d.GetSecondLine()->GetText(); })};
    PickIn(steps, &D::GetLocationPopup, 7);
    steps.push_back(Pressing(&D::GetSaveButton));
    steps.push_back(UntilClosed());
    RunFromPatchWindow(std::move(steps));

    EXPECT_EQ(second, "In Synth:  Left");
    ASSERT_TRUE(Settle(own));
    EXPECT_NE(rigs[own]->synth->Flash().At(0, 7), nullptr);
    EXPECT_EQ(rigs[current]->synth->Flash().At(0, 7), nullptr);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(SaveInSynthTest, TheDialogClosesWhenThePatchsSynthesizerIsLostThoughAnotherRemains)
{
    PlugSynth("Left");
    PlugSynth("Right");
    LaunchWithPorts({rigs[0]->device, rigs[1]->device});
    SettleAll(2);
    const uint8_t own = Ports().GetCurrentPort() == 0 ? 1 : 0;
    ASSERT_NE(ShowSlot(own, 0), nullptr);
    bool wasOpen = false;
    RunFromPatchWindow({Do<D>([&](D&) {
                            wasOpen = true;
                            Unplug(*rigs[own]);
                        }),
                        UntilClosed()});
    EXPECT_TRUE(wasOpen);
    EXPECT_FALSE(Ports().HasSynth(own));
    EXPECT_TRUE(Ports().HasSynth(own == 0 ? 1 : 0));
}

TEST_F(SaveInSynthTest, SaveWhileTheSynthesizerAwaitsAnAnswerStoresOnceItHasAnswered)
{
    sim::SimConfig config;
    config.latencyMs = 300;
    Rig& rig = PlugSynth("Slow", config);
    LaunchWithPorts({rig.device});
    SettleAll(1);
    const uint8_t slot = Ports().GetCurrentSlot();
    ASSERT_NE(ShowSlot(0, slot), nullptr);
    bool waitingAtSave = false;
    RunFromPatchWindow({Do<D>([&](D& d) {
                            // Another request goes out just before Save.
                            CSynthSettings settings = Ports().GetSynthSettings(0);
                            settings.SetMasterTune(5);
                            ASSERT_TRUE(Ports().SendSynthSettings(0, settings));
                            waitingAtSave = Ports().GetSynth(0)->IsWaitingForReply();
                            Click(d.GetSaveButton());
                        }),
                        UntilClosed()});
    EXPECT_TRUE(waitingAtSave);
    ASSERT_TRUE(Settle(0));
    ASSERT_NE(rig.synth->Flash().At(0, 0), nullptr);
    EXPECT_EQ(rig.synth->Flash().At(0, 0)->name, rig.synth->Slot(slot).patch.name);
    EXPECT_EQ(rig.synth->Settings().masterTune, 5);
    EXPECT_TRUE(alerts.empty());
}
