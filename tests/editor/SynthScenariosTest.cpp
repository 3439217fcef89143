#include "tests/editor/SynthEditorFixture.h"

#include "editor/app/EditorCommands.h"

using namespace NSHarrowen;
using namespace editortest;
using namespace editorcommands;

TEST_F(SynthEditorTest, ARecognisedSynthesizerBindsAWindowlessPatchToEachSlotAndEnablesItsCommands)
{
    const uint8_t slots = Ports().GetSlotCount(0);
    ASSERT_EQ(slots, 4);
    EXPECT_EQ(List().GetCount(), slots);
    for (uint8_t slot = 0; slot < slots; ++slot) {
        ASSERT_NE(List().FindPatchInSlot(0, slot), nullptr) << int(slot);
        EXPECT_FALSE(List().FindPatchInSlot(0, slot)->HasWindow());
    }
    UpdateMenus();
    EXPECT_EQ(IsEnabled(kUploadActiveSlot), Ports().HasCurrentSynth());
    EXPECT_FALSE(IsEnabled(kCloseAll));

    ASSERT_TRUE(Settle());
    ASSERT_TRUE(Ports().HasCurrentSynth());
    UpdateMenus();
    EXPECT_TRUE(IsEnabled(kUploadActiveSlot));
    EXPECT_TRUE(IsEnabled(kSynthSettings));
    PressCtrl('U');
    Step(100);
    CPatch* shown = List().FindPatchInSlot(0, Ports().GetCurrentSlot());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->HasWindow());
    EXPECT_EQ(List().CountOpenWindows(), 1);
}

TEST_F(SynthEditorTest, AFileOpenedIntoASlotRecyclesTheWindowOfAnUnchangedSlotPatch)
{
    ASSERT_TRUE(Settle());
    const uint8_t slot = Ports().GetCurrentSlot();
    PressCtrl('U');
    Step(100);
    CPatch* old = List().FindPatchInSlot(0, slot);
    ASSERT_TRUE(old->HasWindow());
    const CRect oldPlace = ViewOf(old)->GetWindowRectInFrame();
    const size_t count = List().GetCount();

    app->OpenDocument(CFileSpec(SavedPatch("Recycled")), CUnknownFileType(".pch"), 0);
    ASSERT_TRUE(Settle());
    Step(100);
    CPatch* opened = List().FindPatchInSlot(0, slot);
    ASSERT_NE(opened, old);
    EXPECT_EQ(opened->GetName(), "Recycled");
    ASSERT_TRUE(opened->HasWindow());
    EXPECT_EQ(ViewOf(opened)->GetWindowRectInFrame(), oldPlace);
    // The old patch lost its slot and its window, and is gone.
    EXPECT_EQ(List().GetCount(), count);
    EXPECT_EQ(List().CountOpenWindows(), 1);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(SynthEditorTest, AChangedSlotPatchKeepsItsWindowAsALocalPatch)
{
    ASSERT_TRUE(Settle());
    const uint8_t slot = Ports().GetCurrentSlot();
    PressCtrl('U');
    Step(100);
    CPatch* old = List().FindPatchInSlot(0, slot);
    old->SetDirty();

    app->OpenDocument(CFileSpec(SavedPatch("Beside")), CUnknownFileType(".pch"), 0);
    ASSERT_TRUE(Settle());
    Step(100);
    CPatch* opened = List().FindPatchInSlot(0, slot);
    ASSERT_NE(opened, old);
    EXPECT_TRUE(opened->HasWindow());
    EXPECT_TRUE(old->HasWindow());
    EXPECT_FALSE(old->IsLinked());
    EXPECT_EQ(List().CountOpenWindows(), 2);
}

TEST_F(SynthEditorTest, MovesBetweenSlotsKeepEverySlotBound)
{
    ASSERT_TRUE(Settle());
    const size_t count = List().GetCount();
    CPatch* first = List().FindPatchInSlot(0, 0);

    // To the slot it holds: nothing new is made.
    List().MovePatchToSlot(0, 0, *first);
    ASSERT_TRUE(Settle());
    Step(100);
    EXPECT_EQ(List().FindPatchInSlot(0, 0), first);
    EXPECT_EQ(List().GetCount(), count);

    // To another slot: the old slot gets an empty patch, the target's
    // patch becomes local and, with no window, goes at idle.
    CPatch* second = List().FindPatchInSlot(0, 1);
    List().MovePatchToSlot(0, 1, *first);
    ASSERT_TRUE(Settle());
    Step(100);
    EXPECT_EQ(List().FindPatchInSlot(0, 1), first);
    ASSERT_NE(List().FindPatchInSlot(0, 0), nullptr);
    EXPECT_NE(List().FindPatchInSlot(0, 0), first);
    EXPECT_EQ(List().GetCount(), count);
    for (const auto& patch : List().GetPatches())
        EXPECT_NE(patch.get(), second);
}

TEST_F(SynthEditorTest, APatchNameFromTheSynthesizerReachesTheTitleWithoutControlCharacters)
{
    ASSERT_TRUE(Settle());
    const uint8_t slot = Ports().GetCurrentSlot();
    // Any byte 1-255 may come in a name: a bell, a terminal escape, DEL, 8-bit bytes.
    sim::SimPatch patch = synth_->Slot(slot).patch;
    patch.name = "Bas\x07s\x1b[2J\x7f\xff\x85";
    synth_->PanelPatchChange(slot, patch);
    ASSERT_TRUE(StepUntil([&] {
        const CPatch* bound = List().FindPatchInSlot(0, slot);
        return bound && bound->GetName().rfind("Bass", 0) == 0;
    }));
    PressCtrl('U');
    Step(100);
    const CPatch* shown = List().FindPatchInSlot(0, slot);
    ASSERT_TRUE(shown && shown->HasWindow());
    EXPECT_EQ(shown->GetName(), "Bass[2J");
    const std::string title = static_cast<CPatchView*>(shown->GetWindow())->GetShownTitle();
    EXPECT_NE(title.find("Bass[2J"), std::string::npos) << title;
    for (const char c : title)
        EXPECT_TRUE(static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) < 127) << title;
}

// The synthesizer's answers are taken as they arrive, not at the editor's
// idle tick: a patch changed on the synthesizer's panel loads into its
// slot's document, one exchange after another, with the idle timer held
// off for the while.
TEST_F(SynthEditorTest, APatchLoadRunsOnTheArrivalOfEachAnswer)
{
    ASSERT_TRUE(Settle());
    const uint32_t interval = app->GetIdleInterval();
    app->SetIdleInterval(60000);
    const uint8_t slot = Ports().GetCurrentSlot();
    sim::SimPatch patch = synth_->Slot(slot).patch;
    patch.name = "Arrived";
    synth_->ClearLog();
    synth_->PanelPatchChange(slot, patch);
    const auto loaded = [&] {
        const CPatch* bound = List().FindPatchInSlot(0, slot);
        bool notesAsked = false;
        for (const sim::SimLogEntry& entry : synth_->Log())
            notesAsked = notesAsked || entry.text.find("CurrentNotesRequest") != std::string::npos;
        return bound && bound->GetName() == "Arrived" && notesAsked && !Ports().GetPort(0)->IsAwaitingAnswer();
    };
    // A millisecond at a time, the messages handled as the program's loop
    // takes them.
    int ms = 0;
    for (; ms < 1000 && !loaded(); ++ms) {
        desktop.Host().Advance(1);
        if (port_->Advance(1) != 0)
            WaitForWorker();
        Pump();
    }
    app->SetIdleInterval(interval);
    ASSERT_TRUE(loaded());
    EXPECT_LT(ms, 100);
}
