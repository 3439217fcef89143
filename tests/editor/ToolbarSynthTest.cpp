// The toolbar with a simulated synthesizer on port 0: the port row, the
// slot buttons and the header controls of a slot's patch, all through
// clicks on the toolbar and the MIDI bytes the simulator receives.

#include "tests/editor/SynthEditorFixture.h"
#include "tests/editor/ToolbarFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/controls/SlotButton.h"
#include "editor/toolbar/FlashMeter.h"
#include "editor/toolbar/TBPortRow.h"
#include "panels/items/PnlControl.h"
#include "panels/widgets/TextView.h"
#include "synth/protocol/SlotSelection.h"

using namespace editortest;

namespace {

class ToolbarSynthTest : public ToolbarFixture<SynthEditorTest> {
protected:
    void SetUp() override
    {
        ToolbarFixture::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(Settle());
        // Every slot's patch in a window, as Synth > Upload active slot opens them.
        for (uint8_t slot = 0; slot < 4; ++slot)
            List().ShowSlotPatch(0, slot);
        ASSERT_TRUE(Settle());
        Pump();
    }
    std::array<bool, 4> SynthSelection() { return synth_->Selection(); }
    // Clicks a slot button of port 0 and lets the synthesizer answer.
    void ClickSlot(int slot, bool ctrl = false)
    {
        if (ctrl)
            CtrlClick(at::SlotX(slot), at::SlotY(0));
        else
            Click(at::SlotX(slot), at::SlotY(0));
        ASSERT_TRUE(Settle());
        StepUntil([] { return false; }, 20);
    }
    CPatch* ActivePatch() { return List().GetActivePatch(); }
};

} // namespace

TEST_F(ToolbarSynthTest, ThePortRowShowsTheSynthesizerItsSlotsAndItsFlashUse)
{
    CTBPortRow& row = Toolbar().GetPortRow(0);
    EXPECT_FALSE(row.GetNameText().IsHidden());
    EXPECT_EQ(row.GetNameText().GetText(), Ports().GetDisplayName(0));
    EXPECT_FALSE(row.GetFlashMeter().IsHidden()) << "the large model has a flash meter";
    const uint8_t current = Ports().GetCurrentSlot();
    for (uint8_t slot = 0; slot < 4; ++slot) {
        const CSlotButton& button = row.GetSlotButton(slot);
        EXPECT_TRUE(button.IsShown()) << int(slot);
        EXPECT_EQ(button.IsOn(), Ports().GetSynth(0)->GetSelection().IsActive(slot)) << int(slot);
        EXPECT_EQ(button.IsLit(), slot == current) << int(slot);
    }
    EXPECT_TRUE(row.GetNameText().IsHighlighted()) << "port 0 is the current port";
    for (uint8_t port = 1; port < 4; ++port) {
        CTBPortRow& empty = Toolbar().GetPortRow(port);
        EXPECT_TRUE(empty.GetNameText().IsHidden()) << int(port);
        EXPECT_TRUE(empty.GetFlashMeter().IsHidden()) << int(port);
        for (uint8_t slot = 0; slot < 4; ++slot)
            EXPECT_FALSE(empty.GetSlotButton(slot).IsShown()) << int(port) << "/" << int(slot);
    }
}

TEST_F(ToolbarSynthTest, SlotButtonsSelectAndActivateSlotsOnTheSynthesizer)
{
    // A plain click makes the slot the only active one and the current one.
    ClickSlot(1);
    EXPECT_EQ(SynthSelection(), (std::array<bool, 4>{false, true, false, false}));
    EXPECT_EQ(Ports().GetCurrentSlot(), 1);
    ASSERT_NE(ActivePatch(), nullptr);
    EXPECT_EQ(ActivePatch(), List().FindPatchInSlot(0, 1)) << "its patch window comes to the front";

    // Clicking the only active slot sends no selection, yet it stays current.
    synth_->ClearLog();
    ClickSlot(1);
    EXPECT_EQ(SynthSelection(), (std::array<bool, 4>{false, true, false, false}));
    for (const auto& entry : synth_->Log())
        EXPECT_EQ(entry.text.find("SlotSelectionDump"), std::string::npos) << entry.text;

    // Ctrl adds an inactive slot without changing the current one.
    ClickSlot(2, true);
    EXPECT_EQ(SynthSelection(), (std::array<bool, 4>{false, true, true, false}));
    EXPECT_EQ(Ports().GetCurrentSlot(), 1);
    EXPECT_TRUE(Toolbar().GetPortRow(0).GetSlotButton(2).IsOn());

    // Ctrl on the current slot turns it off; another active slot becomes current.
    ClickSlot(1, true);
    EXPECT_EQ(SynthSelection(), (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(Ports().GetCurrentSlot(), 2);
    EXPECT_EQ(ActivePatch(), List().FindPatchInSlot(0, 2));
    EXPECT_TRUE(Toolbar().GetPortRow(0).GetSlotButton(2).IsLit());

    // The last active slot stays active.
    ClickSlot(2, true);
    EXPECT_EQ(SynthSelection(), (std::array<bool, 4>{false, false, true, false}));
}

TEST_F(ToolbarSynthTest, TheVoicesButtonReachesTheSynthesizerAfterTheVoiceDelay)
{
    ClickSlot(0);
    CPatch* patch = ActivePatch();
    ASSERT_NE(patch, nullptr);
    ASSERT_TRUE(patch->IsLinked());
    const int before = synth_->Slot(0).patch.header.voices;
    Click(at::kMoreVoicesX, at::kVoicesY);
    EXPECT_EQ(patch->GetPatchHeader().GetVoices(), before + 1);
    StepUntil([] { return false; }, 40);
    EXPECT_EQ(synth_->Slot(0).patch.header.voices, before) << "not before 600 ms";
    ASSERT_TRUE(StepUntil([&] { return synth_->Slot(0).patch.header.voices == before + 1; }, 200));
    // The voices the slot now plays follow as the synthesizer reports them,
    // without another upload.
    EXPECT_TRUE(
        StepUntil([&] { return Toolbar().GetCurrentVoicesText().GetText() == std::to_string(before + 1); }, 200))
        << Toolbar().GetCurrentVoicesText().GetText();

    // Portamento, auto and bend go to the slot at once.
    Click(at::kPortamentoX, at::kUpY);
    Click(at::kBendX, at::kUpY);
    Click(at::kAutoX, at::kAutoY);
    ASSERT_TRUE(StepUntil(
        [&] {
            const auto& header = synth_->Slot(0).patch.header;
            return header.pmTime == 1 && header.bendRange == 3 && header.pmMode == 1;
        },
        100));
}

TEST_F(ToolbarSynthTest, ALinkedPatchShowsItsSlotsCurrentVoiceCount)
{
    ClickSlot(0);
    CPatch* patch = ActivePatch();
    ASSERT_NE(patch, nullptr);
    uint8_t voices = 0;
    if (patch->GetSlotVoiceCount(voices))
        EXPECT_EQ(Toolbar().GetCurrentVoicesText().GetText(), std::to_string(voices));
    else
        EXPECT_EQ(Toolbar().GetCurrentVoicesText().GetText(), "?");
    synth_->PanelVoices({5, 1, 1, 1});
    ASSERT_TRUE(StepUntil([&] { return Toolbar().GetCurrentVoicesText().GetText() == "5"; }, 200));
}

namespace {

// While the mouse holds a morph group's knob, a frame goes out only when
// the value changes, as for the panel knobs.
TEST_F(ToolbarSynthTest, AHeldMorphGroupKnobSendsAFrameOnlyWhenItsValueChanges)
{
    CPnlControl* knob = Toolbar().GetMorphEntry(1);
    ASSERT_NE(knob, nullptr);
    const NSHarrowen::CRect f = knob->GetFrame();
    const int x = f.left + f.Width() / 2;
    const int y = f.top + f.Height() / 2;
    synth_->ClearLog();
    Press(x, y);
    for (int step = 1; step <= 15; ++step) {
        desktop.Host().MoveMouse(At(x + step, y - step));
        // Held still between the moves.
        for (int i = 0; i < 5; ++i)
            SynthStep();
    }
    Release(x + 15, y - 15);
    ASSERT_TRUE(Settle());
    std::vector<std::string> frames;
    for (const auto& entry : synth_->Log())
        if (entry.text.find("ParamChange") != std::string::npos)
            frames.push_back(entry.text);
    ASSERT_FALSE(frames.empty());
    for (size_t i = 1; i < frames.size(); ++i)
        EXPECT_NE(frames[i], frames[i - 1]) << "the same value twice";
    EXPECT_LE(frames.size(), 15u);
}

class ToolbarSmallSynthTest : public ToolbarSynthTest {
protected:
    sim::SimConfig SynthConfig() const override
    {
        sim::SimConfig config;
        config.model = sim::SimModel::Pebix;
        return config;
    }
};

} // namespace

TEST_F(ToolbarSmallSynthTest, TheSmallModelShowsOnlySlotAAndNoFlashMeter)
{
    CTBPortRow& row = Toolbar().GetPortRow(0);
    EXPECT_FALSE(row.GetNameText().IsHidden());
    EXPECT_TRUE(row.GetFlashMeter().IsHidden());
    EXPECT_TRUE(row.GetSlotButton(0).IsShown());
    for (uint8_t slot = 1; slot < 4; ++slot)
        EXPECT_FALSE(row.GetSlotButton(slot).IsShown()) << int(slot);
}

namespace {

// A synthesizer that takes and answers bytes at the MIDI wire's pace.
class ToolbarPacedSynthTest : public ToolbarSynthTest {
protected:
    sim::SimConfig SynthConfig() const override
    {
        sim::SimConfig config;
        config.paceAtWireRate = true;
        return config;
    }
};

} // namespace

// Held arrows change the header faster than the wire takes it: the changes
// are merged, and the last value the toolbar shows is the one the
// synthesizer has at the end.
TEST_F(ToolbarPacedSynthTest, HeldHeaderArrowsEndWithTheLastValueOnTheSynthesizer)
{
    ClickSlot(0);
    CPatch* patch = ActivePatch();
    ASSERT_NE(patch, nullptr);
    for (const int x : {at::kPortamentoX, at::kBendX}) {
        Press(x, at::kUpY);
        for (int i = 0; i < 150; ++i)
            SynthStep();
        Release(x, at::kUpY);
    }
    const CPatchHeader shown = patch->GetPatchHeader();
    ASSERT_GT(shown.GetPMTime(), 5) << "the arrow repeats while held";
    ASSERT_GT(shown.GetBendRange(), 5);
    ASSERT_TRUE(StepUntil(
        [&] {
            const auto& header = synth_->Slot(0).patch.header;
            return header.pmTime == shown.GetPMTime() && header.bendRange == shown.GetBendRange();
        },
        300))
        << "the synthesizer has portamento " << synth_->Slot(0).patch.header.pmTime << " and bend "
        << synth_->Slot(0).patch.header.bendRange;
    EXPECT_TRUE(Ports().HasSynth(0));
    EXPECT_TRUE(alerts.empty());
}
