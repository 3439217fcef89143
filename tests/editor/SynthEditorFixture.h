#pragma once

// The editor with a simulated Kandrel on port 0, chosen in its preferences
// as a user would have chosen it in the MIDI set-up; the desktop, the
// synthesizer and the editor's idle step share the virtual clock.

#include "tests/editor/EditorFixture.h"

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
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace editortest {

class SynthEditorTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        static int rigs = 0;
        device_ = "Editor Test Synth " + std::to_string(++rigs);
        synth_ = std::make_unique<sim::CSimulator>(SynthConfig(), sim::CatalogueTypes());
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

    // The simulated synthesizer's model and behaviour.
    virtual sim::SimConfig SynthConfig() const { return {}; }
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
        EXPECT_TRUE(patch.SaveToFile(NSHarrowen::CFileSpec(path)));
        return path;
    }
    CPatchView* ViewOf(const CPatch* patch) { return dynamic_cast<CPatchView*>(patch->GetWindow()); }

    std::string device_;
    std::unique_ptr<sim::CSimulator> synth_;
    std::unique_ptr<sim::CSimVirtualPort> port_;
};

} // namespace editortest
