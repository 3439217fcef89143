#include "tests/dialogs/banks/BankFixture.h"

#include "editor/prefs/Preferences.h"
#include "framework/controls/NativeControlView.h"
#include "framework/windows/ABCWindow.h"
#include "framework/midi/MMEMIDIInput.h"
#include "platform/controls/Controls.h"
#include "platform/filedialogs/FileBrowser.h"
#include "platform/midi/virtual/VirtualMidi.h"
#include "platform/windows/Window.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"
#include "synth/protocol/FlashMemory.h"

#include <chrono>
#include <thread>

using namespace NSHarrowen;

namespace banktest {

BankDialogTest::BankDialogTest() = default;
BankDialogTest::~BankDialogTest() = default;

void BankDialogTest::StartWith(sim::SimModel model, const std::function<void()>& beforeLaunch)
{
    EditorTest::SetUp();
    static int rigs = 0;
    device_ = "Bank Test Synth " + std::to_string(++rigs);
    sim::SimConfig config;
    config.model = model;
    synth_ = std::make_unique<sim::CSimulator>(config, sim::CatalogueTypes());
    ASSERT_TRUE(synth_->Flash().AttachFolder(flashFolder.Path()).empty());
    port_ = std::make_unique<sim::CSimVirtualPort>(*synth_, device_);
    fileRequest_ = std::make_shared<std::optional<platform::FileDialogRequest>>();
    platform::SetFileDialogResponder([this](const platform::FileDialogRequest& request) {
        *fileRequest_ = request;
        return fileAnswer_;
    });
    if (beforeLaunch)
        beforeLaunch();
    Launch([this] {
        CPreferences preferences;
        preferences.SetPortEnabled(0, true);
        preferences.SetPortInputName(0, device_);
        preferences.SetPortOutputName(0, device_);
        preferences.Save();
    });
    synthTime_ = desktop.Host().Now();
    // The modal runs keep the simulator going from the operator's timer.
    ASSERT_TRUE(StepUntil([this] { return Ports().HasSynth(0); }));
}

void BankDialogTest::TearDown()
{
    EditorTest::TearDown();
    platform::SetFileDialogResponder(nullptr);
    port_.reset();
}

void BankDialogTest::Script(std::vector<std::function<bool(CABCWindow&)>> steps)
{
    *scriptAt_ = 0;
    operate = [this, steps = std::move(steps), at = scriptAt_](CABCWindow& window) {
        CatchUp();
        if (*at >= steps.size() || !steps[*at](window))
            return false;
        ++*at;
        return true;
    };
}

void BankDialogTest::CatchUp()
{
    const uint64_t now = desktop.Host().Now();
    if (now <= synthTime_)
        return;
    const uint64_t passed = now - synthTime_;
    synthTime_ = now;
    if (port_->Advance(passed) == 0)
        return;
    // The MIDI worker hands the buffers on before the editor looks.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    platform::VirtualMidiDevice& device = port_->Device();
    while (device.IsInputOpen() && device.InputBuffersQueued() < CMMEMIDIInput::kBufferCount &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
}

void BankDialogTest::SynthStep()
{
    desktop.Host().Advance(10);
    CatchUp();
    Pump();
    app->IdleCheck();
}

bool BankDialogTest::StepUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit && !done(); ++i)
        SynthStep();
    return done();
}

bool BankDialogTest::Settle()
{
    return StepUntil([this] {
        const CSynth* synth = Ports().GetSynth(0);
        return synth && synth->HasSettings() && !Ports().GetPort(0)->IsAwaitingAnswer() &&
            !Ports().GetFlashMemory(0).IsScanning();
    });
}

void BankDialogTest::Click(const CNativeControlView* view)
{
    const platform::Rect r = platform::GetWindowRect(view->GetHandle());
    desktop.Host().Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void BankDialogTest::Pick(const CNativeControlView* popup, int index)
{
    const platform::Rect r = platform::GetWindowRect(popup->GetHandle());
    desktop.Host().Click({r.left + 20, r.top + 10});
    Pump();
    const platform::Point p{r.left + 20, r.top + platform::kComboFieldHeight + 1 + index * 16 + 8};
    desktop.Host().MoveMouse(p);
    desktop.Host().Click(p);
}

void BankDialogTest::CloseByFrame(const std::string& title)
{
    for (const platform::SurfaceId id : desktop.Host().StackingOrder())
        if (desktop.Host().SurfaceTitle(id) == title)
            desktop.Host().RequestClose(id);
}

void BankDialogTest::AnswerFileDialog(std::optional<std::string> path)
{
    fileAnswer_ = std::move(path);
}

std::optional<platform::FileDialogRequest> BankDialogTest::LastFileRequest() const
{
    return *fileRequest_;
}

void BankDialogTest::StoreInFlash(int bank, int location, const std::string& name)
{
    port_->With([&](sim::CSimulator& synth) {
        sim::SimPatch patch;
        patch.name = name;
        synth.Flash().Store(bank, location, patch);
        return 0;
    });
}

std::vector<std::string> BankDialogTest::FlashNames(int bank)
{
    return port_->With([&](sim::CSimulator& synth) {
        std::vector<std::string> names;
        for (int location = 0; location < sim::kLocations; ++location) {
            const sim::SimPatch* patch = synth.Flash().At(bank, location);
            names.push_back(patch ? patch->name : std::string());
        }
        return names;
    });
}

std::string BankDialogTest::SlotPatchName(int slot)
{
    return port_->With([&](sim::CSimulator& synth) { return synth.Slot(slot).patch.name; });
}

void BankDialogTest::SetMemoryProtect(bool on)
{
    port_->With([&](sim::CSimulator& synth) { return synth.Config().memoryProtect = on; });
}

} // namespace banktest
