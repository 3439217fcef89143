#include "tests/editor/EditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/patches/PatchManager.h"
#include "editor/prefs/Preferences.h"
#include "editor/windows/PatchView.h"
#include "framework/files/FileSpec.h"
#include "framework/midi/MMEMIDIInput.h"
#include "platform/midi/virtual/VirtualMidi.h"
#include "patch/document/Patch.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"

#include <chrono>
#include <thread>

using namespace NSHarrowen;
using namespace editortest;
using namespace editorcommands;

namespace {

// The editor with a simulated Kandrel on port 0, chosen in its preferences
// as a user would have chosen it in the MIDI set-up.
class SynthEditorTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        static int rigs = 0;
        device_ = "Editor Test Synth " + std::to_string(++rigs);
        synth_ = std::make_unique<sim::CSimulator>(sim::SimConfig{}, sim::CatalogueTypes());
        port_ = std::make_unique<sim::CSimVirtualPort>(*synth_, device_);
        Launch([this] {
            CPreferences preferences;
            preferences.SetPortEnabled(0, true);
            preferences.SetPortInputName(0, device_);
            preferences.SetPortOutputName(0, device_);
            preferences.Save();
        });
        ASSERT_TRUE(StepUntil([this] { return Ports().HasSynth(0); }))
            << Ports().GetDisplayName(0) << " / "
            << (Ports().GetPort(0) ? Ports().GetPort(0)->GetStatusText() : "closed") << " / " << alerts.size();
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        port_.reset();
    }

    CPortManager& Ports() { return *app->GetPorts(); }
    CPatchManager& List() { return *app->GetPatches(); }

    // 10 ms for the desktop, the synthesizer and the editor's idle step.
    void SynthStep()
    {
        desktop.Host().Advance(10);
        if (port_->Advance(10) != 0)
            WaitForWorker();
        Pump();
        app->IdleCheck();
    }
    bool StepUntil(const std::function<bool()>& done, int limit = 3000)
    {
        for (int i = 0; i < limit && !done(); ++i)
            SynthStep();
        return done();
    }
    // Every slot settled and nothing awaited.
    bool Settle()
    {
        return StepUntil([this] {
            const CSynth* synth = Ports().GetSynth(0);
            if (!synth || !synth->HasSettings() || Ports().GetPort(0)->IsAwaitingAnswer())
                return false;
            for (uint8_t slot = 0; slot < synth->GetSlotCount(); ++slot)
                if (synth->IsSlotBusy(slot))
                    return false;
            return true;
        });
    }
    void WaitForWorker()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        platform::VirtualMidiDevice& device = port_->Device();
        while (device.IsInputOpen() && device.InputBuffersQueued() < NSHarrowen::CMMEMIDIInput::kBufferCount &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    std::string SavedPatch(const std::string& name)
    {
        CPatch patch;
        patch.ClearChangeFlags();
        patch.SetName(name);
        const std::string path = (folder.Path() / (name + ".pch")).string();
        EXPECT_TRUE(patch.SaveToFile(CFileSpec(path)));
        return path;
    }
    CPatchView* ViewOf(const CPatch* patch) { return dynamic_cast<CPatchView*>(patch->GetWindow()); }

    std::string device_;
    std::unique_ptr<sim::CSimulator> synth_;
    std::unique_ptr<sim::CSimVirtualPort> port_;
};

} // namespace

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
    EXPECT_FALSE(IsEnabled(kSynthSettings)); // its dialog is not part of the program yet

    ASSERT_TRUE(Settle());
    ASSERT_TRUE(Ports().HasCurrentSynth());
    UpdateMenus();
    EXPECT_TRUE(IsEnabled(kUploadActiveSlot));
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
